// The strings the stand-in hands out, and whether the caller deleted them. Each is
// handed out with a second reference that the stand-in keeps (WindowsDuplicateString),
// so it stays valid; its reference count then tells whether the caller's reference
// went. Where the count sits inside a string is found once by watching which field a
// duplication raises by one.
#include <cstring>
#include <mutex>
#include <vector>

#include "standin_state.h"

namespace standin {
namespace {

struct Functions {
    HRESULT(__stdcall* create)(const wchar_t*, UINT32, HSTR*) = nullptr;
    HRESULT(__stdcall* duplicate)(HSTR, HSTR*) = nullptr;
    HRESULT(__stdcall* remove)(HSTR) = nullptr;
    const wchar_t*(__stdcall* raw)(HSTR, UINT32*) = nullptr;
};

const Functions& Combase() {
    static const Functions functions = [] {
        Functions found;
        HMODULE module = LoadLibraryW(L"combase.dll");
        if (module == nullptr)
            return found;
        found.create = reinterpret_cast<decltype(found.create)>(
            reinterpret_cast<void*>(GetProcAddress(module, "WindowsCreateString")));
        found.duplicate = reinterpret_cast<decltype(found.duplicate)>(
            reinterpret_cast<void*>(GetProcAddress(module, "WindowsDuplicateString")));
        found.remove = reinterpret_cast<decltype(found.remove)>(
            reinterpret_cast<void*>(GetProcAddress(module, "WindowsDeleteString")));
        found.raw = reinterpret_cast<decltype(found.raw)>(
            reinterpret_cast<void*>(GetProcAddress(module, "WindowsGetStringRawBuffer")));
        return found;
    }();
    return functions;
}

constexpr int kFields = 8;  // LONG-sized fields looked at from the string's start

// The offset in LONGs of the reference count, or -1.
int CountField() {
    static const int field = [] {
        const Functions& f = Combase();
        if (!f.create || !f.duplicate || !f.remove)
            return -1;
        const wchar_t probe[] = L"reference-count-probe-0123456789";
        HSTR one = nullptr;
        if (FAILED(f.create(probe, static_cast<UINT32>(wcslen(probe)), &one)) || !one)
            return -1;
        LONG before[kFields];
        LONG after[kFields];
        std::memcpy(before, one, sizeof before);
        HSTR two = nullptr;
        int found = -1;
        if (SUCCEEDED(f.duplicate(one, &two)) && two == one) {
            std::memcpy(after, one, sizeof after);
            for (int i = 0; i < kFields; ++i) {
                if (after[i] == before[i] + 1)
                    found = found == -1 ? i : -2;
            }
            f.remove(two);
        }
        f.remove(one);
        return found >= 0 ? found : -1;
    }();
    return field;
}

LONG CountOf(HSTR handle, int field) {
    LONG value = 0;
    std::memcpy(&value, reinterpret_cast<const char*>(handle) + field * sizeof(LONG), sizeof value);
    return value;
}

std::mutex mutex;
std::vector<HSTR> handedOut;

}  // namespace

HSTR Hand(const std::wstring& text) {
    const Functions& f = Combase();
    HSTR handle = nullptr;
    if (text.empty() || !f.create ||
        FAILED(f.create(text.c_str(), static_cast<UINT32>(text.size()), &handle))) {
        return nullptr;
    }
    HSTR kept = nullptr;
    if (CountField() >= 0 && SUCCEEDED(f.duplicate(handle, &kept)) && kept == handle) {
        std::lock_guard<std::mutex> lock(mutex);
        handedOut.push_back(kept);
    }
    return handle;
}

void Delete(HSTR handle) {
    if (handle != nullptr && Combase().remove)
        Combase().remove(handle);
}

std::wstring Text(HSTR handle) {
    const Functions& f = Combase();
    if (handle == nullptr || !f.raw)
        return {};
    UINT32 length = 0;
    const wchar_t* text = f.raw(handle, &length);
    return text ? std::wstring(text, length) : std::wstring();
}

long LiveStrings() {
    const int field = CountField();
    if (field < 0)
        return -1;
    std::lock_guard<std::mutex> lock(mutex);
    long live = 0;
    std::vector<HSTR> still;
    for (HSTR handle : handedOut) {
        const LONG count = CountOf(handle, field);
        if (count == 1) {
            Combase().remove(handle);  // the caller's went; ours goes too
        } else {
            ++live;
            still.push_back(handle);
        }
    }
    handedOut = std::move(still);
    return live;
}

}  // namespace standin
