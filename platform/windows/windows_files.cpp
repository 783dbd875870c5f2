#include "platform/windows/windows_files.h"

#include <windows.h>

#include <atomic>
#include <cwchar>

#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// Replacing a file that another program has open fails until it closes it.
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

// True when the target exists and can never be replaced by a file: a folder of that
// name, or a read-only file.
bool Unreplaceable(const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0;
}

enum class Holder { Nobody, AnotherProgram, Refused };

// Why the target could not be replaced: opening it exclusively for deletion fails
// with a sharing violation only while someone has it open; any other refusal (the
// file's rights) does not go away by waiting.
Holder WhoHolds(const std::wstring& target) {
    HANDLE file = CreateFileW(target.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return Holder::Nobody;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION ? Holder::AnotherProgram : Holder::Refused;
}

bool ReplaceTarget(const std::wstring& temp, const std::wstring& target) {
    int freeButRefused = 0;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt >= kReplaceAttempts ||
            (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            Unreplaceable(target)) {
            return false;
        }
        switch (WhoHolds(target)) {
            case Holder::AnotherProgram:
                Sleep(kReplaceRetryMs);
                break;
            case Holder::Nobody:
                // It was let go between the move and the look: once more at once, but a
                // target that nobody holds and that still cannot be replaced is refused.
                if (++freeButRefused > 2)
                    return false;
                break;
            case Holder::Refused:
                return false;
        }
    }
}

// The process id in "<target>.<process>-<n>.tmp", or 0 when `name` is not such a
// temporary of the file named `targetName`.
DWORD TemporaryOwner(const std::wstring& name, const std::wstring& targetName) {
    const std::wstring tail = L".tmp";
    const size_t head = targetName.size() + 1;
    if (name.size() <= head + tail.size() ||
        _wcsnicmp(name.c_str(), targetName.c_str(), targetName.size()) != 0 ||
        name[targetName.size()] != L'.' ||
        _wcsicmp(name.c_str() + name.size() - tail.size(), tail.c_str()) != 0) {
        return 0;
    }
    const std::wstring middle = name.substr(head, name.size() - head - tail.size());
    const size_t dash = middle.find(L'-');
    if (dash == 0 || dash == std::wstring::npos || dash + 1 == middle.size() || dash > 10 ||
        middle.find_first_not_of(L"0123456789-") != std::wstring::npos ||
        middle.find(L'-', dash + 1) != std::wstring::npos) {
        return 0;
    }
    const unsigned long long id = std::wcstoull(middle.c_str(), nullptr, 10);
    return id == 0 || id > 0xFFFFFFFFull ? 0 : static_cast<DWORD>(id);
}

bool ProcessRuns(DWORD id) {
    if (id == GetCurrentProcessId())
        return true;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED;  // another user's, and alive
    DWORD code = 0;
    const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return alive;
}

}  // namespace

FileRead WindowsFiles::Read(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing
                                                                              : FileRead::Failed;
    }
    // Read into the string itself, sized from the file's length and grown when the
    // file grows meanwhile; a settings file is small, and one read does it.
    std::string content;
    LARGE_INTEGER size;
    size_t capacity = 4096;
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 && size.QuadPart < (1LL << 30))
        capacity = static_cast<size_t>(size.QuadPart) + 1;
    size_t length = 0;
    bool ok = true;
    for (;;) {
        if (content.size() - length == 0)
            content.resize(length + (capacity > kIoBlock ? kIoBlock : capacity));
        const DWORD want = static_cast<DWORD>(
            content.size() - length < kIoBlock ? content.size() - length : kIoBlock);
        DWORD got = 0;
        if (!ReadFile(file, content.data() + length, want, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        length += got;
        capacity = content.size();
    }
    CloseHandle(file);
    if (!ok)
        return FileRead::Failed;
    content.resize(length);
    bytes = std::move(content);
    return FileRead::Ok;
}

bool WindowsFiles::Write(const std::string& path, std::string_view bytes) {
    const std::wstring target = Widen(path);
    if (target.empty() || Unreplaceable(target))
        return false;
    const std::wstring temp = TemporaryBeside(target);
    if (WriteTemporary(temp, bytes) && ReplaceTarget(temp, target))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

int WindowsFiles::RemoveStaleTemporaries(const std::string& path) {
    const std::wstring target = Widen(path);
    const size_t cut = target.find_last_of(L"\\/:");
    const std::wstring folder = cut == std::wstring::npos ? L"" : target.substr(0, cut + 1);
    const std::wstring name = cut == std::wstring::npos ? target : target.substr(cut + 1);
    if (name.empty())
        return 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((target + L".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int removed = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        const DWORD owner = TemporaryOwner(found.cFileName, name);
        if (owner != 0 && !ProcessRuns(owner) && DeleteFileW((folder + found.cFileName).c_str())) {
            ++removed;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

}  // namespace hs::win
