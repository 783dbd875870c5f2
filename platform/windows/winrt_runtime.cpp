#include "platform/windows/winrt_runtime.h"

#include <string>

#include "platform/windows/proc_lookup.h"
#include "platform/windows/wide.h"

namespace hs::win::winrt {
namespace {

constexpr int kMultithreaded = 1;  // RO_INIT_MULTITHREADED

// The full path of combase.dll in the system folder: a bare name would also search
// the program's own folder.
std::wstring SystemCombasePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return {};
    return std::wstring(folder, length) + L"\\combase.dll";
}

Combase Load() {
    Combase found;
    const std::wstring path = SystemCombasePath();
    HMODULE module = path.empty() ? nullptr : LoadLibraryW(path.c_str());
    if (module == nullptr) {
        const DWORD error = GetLastError();
        found.loaded = HRESULT_FROM_WIN32(error != 0 ? error : ERROR_MOD_NOT_FOUND);
        return found;
    }
    found.roInitialize = LookUpProc<decltype(found.roInitialize)>(module, "RoInitialize");
    found.roUninitialize = LookUpProc<decltype(found.roUninitialize)>(module, "RoUninitialize");
    found.roGetActivationFactory =
        LookUpProc<decltype(found.roGetActivationFactory)>(module, "RoGetActivationFactory");
    found.roActivateInstance =
        LookUpProc<decltype(found.roActivateInstance)>(module, "RoActivateInstance");
    found.createString = LookUpProc<decltype(found.createString)>(module, "WindowsCreateString");
    found.deleteString = LookUpProc<decltype(found.deleteString)>(module, "WindowsDeleteString");
    found.rawBuffer = LookUpProc<decltype(found.rawBuffer)>(module, "WindowsGetStringRawBuffer");
    const bool complete = found.roInitialize != nullptr && found.roUninitialize != nullptr &&
                          found.roGetActivationFactory != nullptr &&
                          found.roActivateInstance != nullptr && found.createString != nullptr &&
                          found.deleteString != nullptr && found.rawBuffer != nullptr;
    found.loaded = complete ? S_OK : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    return found;
}

}  // namespace

const Combase& LoadCombase() {
    static const Combase combase = Load();
    return combase;
}

Apartment::Apartment(const Combase& combase)
    : combase_(combase), result_(combase.roInitialize(kMultithreaded)) {}

Apartment::~Apartment() {
    if (SUCCEEDED(result_))
        combase_.roUninitialize();
}

HRESULT HStr::Assign(std::string_view utf8) {
    const std::wstring wide = Widen(utf8);
    return Assign(wide.data(), wide.size());
}

HRESULT HStr::Assign(const wchar_t* text, size_t length) {
    if (length > 0xFFFFFFFEu)
        return E_INVALIDARG;
    return combase_->createString(text, static_cast<UINT32>(length), Put());
}

std::string HStr::Utf8() const {
    if (handle_ == nullptr)
        return {};
    UINT32 length = 0;
    const wchar_t* text = combase_->rawBuffer(handle_, &length);
    if (text == nullptr)
        return {};
    return Narrow(std::wstring_view(text, length));
}

void HStr::Reset() {
    if (handle_ != nullptr) {
        combase_->deleteString(handle_);
        handle_ = nullptr;
    }
}

}  // namespace hs::win::winrt
