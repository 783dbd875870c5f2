#include "platform/windows/http_win.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cctype>

#include "platform/windows/stoppable_call.h"
#include "platform/windows/wide.h"

namespace hs::win {
namespace {

const wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible)";
constexpr DWORD kChunkBytes = 8192;
// A whole request (connecting, sending, waiting and reading) may take this many
// time-outs before the caller gives up on it.
constexpr int64_t kDeadlineTimeouts = 3;

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) !=
                                    static_cast<unsigned char>(prefix[i])) {
            return false;
        }
    }
    return true;
}

class InternetHandle {
  public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_ != nullptr)
            InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }

  private:
    HINTERNET handle_;
};

void SetTimeout(HINTERNET session, DWORD option, DWORD ms) {
    InternetSetOptionW(session, option, &ms, sizeof ms);
}

HttpResponse Fetch(const std::wstring& url, DWORD timeoutMs, const std::atomic<bool>& abandoned) {
    InternetHandle session(
        InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session.get() == nullptr)
        return {};
    SetTimeout(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, timeoutMs);
    SetTimeout(session.get(), INTERNET_OPTION_SEND_TIMEOUT, timeoutMs);
    SetTimeout(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, timeoutMs);
    SetTimeout(session.get(), INTERNET_OPTION_DATA_SEND_TIMEOUT, timeoutMs);
    SetTimeout(session.get(), INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, timeoutMs);

    InternetHandle request(InternetOpenUrlW(
        session.get(), url.c_str(), nullptr, 0,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
    if (request.get() == nullptr || abandoned.load())
        return {};

    DWORD status = 0;
    DWORD length = sizeof status;
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &length, nullptr) ||
        status == 0) {
        return {};
    }

    HttpResponse response;
    char chunk[kChunkBytes];
    for (;;) {
        if (abandoned.load())
            return {};
        DWORD got = 0;
        if (!InternetReadFile(request.get(), chunk, sizeof chunk, &got))
            return {};
        if (got == 0)
            break;
        if (response.body.size() + got > WinInetHttp::kMaxBodyBytes)
            return {};
        response.body.append(chunk, got);
    }
    response.status = static_cast<int>(status);
    return response;
}

}  // namespace

WinInetHttp::WinInetHttp(int timeoutMs) : timeoutMs_(timeoutMs > 0 ? timeoutMs : 1) {}

HttpResponse WinInetHttp::Get(const std::string& url, const StopSignal* stop) {
    if (!StartsWithNoCase(url, "http://") && !StartsWithNoCase(url, "https://"))
        return {};
    const std::wstring wide = Widen(url);
    const DWORD timeout = static_cast<DWORD>(timeoutMs_);
    // The time-outs bound each step inside WinINet; the deadline bounds the whole
    // request as well, in case a step ignores its time-out (Wine's WinINet can wait
    // for an answer for good).
    const int64_t deadline = static_cast<int64_t>(timeoutMs_) * kDeadlineTimeouts;
    std::optional<HttpResponse> response = RunUnlessStopped<HttpResponse>(
        calls_, stop,
        [wide, timeout](const std::atomic<bool>& abandoned) {
            return Fetch(wide, timeout, abandoned);
        },
        deadline);
    return response ? std::move(*response) : HttpResponse{};
}

}  // namespace hs::win
