#include "platform/windows/windows_files.h"

#include <windows.h>

#include <atomic>

#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// Replacing a file that another thread is reading fails until the reader closes it.
constexpr int kReplaceAttempts = 25;
constexpr DWORD kReplaceRetryMs = 20;
constexpr DWORD kIoBlock = 1 << 20;

// A name beside the target that no other writer of this or another process uses.
std::wstring TemporaryBeside(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter.fetch_add(1)) + L".tmp";
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD want = bytes.size() < kIoBlock ? static_cast<DWORD>(bytes.size()) : kIoBlock;
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), want, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool WriteTemporary(const std::wstring& temp, std::string_view bytes) {
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

bool ReplaceTarget(const std::wstring& temp, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt >= kReplaceAttempts ||
            (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
            return false;
        }
        Sleep(kReplaceRetryMs);
    }
}

}  // namespace

bool WindowsFiles::Read(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string content;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 30)) {
        content.reserve(static_cast<size_t>(size.QuadPart));
    }
    bool ok = true;
    std::string block(kIoBlock, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block.data(), kIoBlock, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        content.append(block.data(), got);
    }
    CloseHandle(file);
    if (ok)
        bytes = std::move(content);
    return ok;
}

bool WindowsFiles::Write(const std::string& path, std::string_view bytes) {
    const std::wstring target = Widen(path);
    if (target.empty())
        return false;
    const std::wstring temp = TemporaryBeside(target);
    if (WriteTemporary(temp, bytes) && ReplaceTarget(temp, target))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

}  // namespace hs::win
