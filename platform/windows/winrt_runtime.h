// The Windows Runtime's own functions (combase.dll, Windows 8 and later), looked up
// at run time so that the program still loads on Windows XP and 7, and the small
// owners every call uses: the apartment of a call, a string handle, an interface
// pointer.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/windows/winrt_abi.h"

namespace hs::win::winrt {

struct Combase {
    HRESULT(__stdcall* roInitialize)(int type) = nullptr;
    void(__stdcall* roUninitialize)() = nullptr;
    HRESULT(__stdcall* roGetActivationFactory)
    (HString classId, const GUID& iid, void** factory) = nullptr;
    HRESULT(__stdcall* roActivateInstance)(HString classId, Inspectable** instance) = nullptr;
    HRESULT(__stdcall* createString)(const wchar_t* text, UINT32 length, HString* out) = nullptr;
    HRESULT(__stdcall* deleteString)(HString text) = nullptr;
    const wchar_t*(__stdcall* rawBuffer)(HString text, UINT32* length) = nullptr;
    // S_OK when every function above was found; else why not, as an HRESULT: the
    // library's load error (0x8007007E when there is no combase.dll) or
    // 0x8007007F for a missing function.
    HRESULT loaded = E_FAIL;
};

// Loaded once, from the system folder by its full path, and kept for the process.
const Combase& LoadCombase();

// The calling thread in the multithreaded apartment for as long as this lives:
// RoInitialize(RO_INIT_MULTITHREADED), balanced by RoUninitialize when it succeeded
// (S_FALSE included). A thread that is already single-threaded gets
// RPC_E_CHANGED_MODE, which result() reports; the thread is then left as it was.
class Apartment {
  public:
    explicit Apartment(const Combase& combase);
    ~Apartment();
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    HRESULT result() const { return result_; }

  private:
    const Combase& combase_;
    HRESULT result_;
};

// Owns one string handle and deletes it.
class HStr {
  public:
    explicit HStr(const Combase& combase) : combase_(&combase) {}
    ~HStr() { Reset(); }
    HStr(const HStr&) = delete;
    HStr& operator=(const HStr&) = delete;

    // A new handle holding the UTF-8 text; the HRESULT of the creation.
    HRESULT Assign(std::string_view utf8);
    HRESULT Assign(const wchar_t* text, size_t length);
    HString get() const { return handle_; }
    // For an [out] parameter: the handle held before is deleted first.
    HString* Put() {
        Reset();
        return &handle_;
    }
    std::string Utf8() const;
    void Reset();

  private:
    const Combase* combase_;
    HString handle_ = nullptr;
};

// Owns one reference to an interface and releases it.
template <class T>
class Ref {
  public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For an [out] parameter: the reference held before is released first.
    T** Put() {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // The member is cleared before the release, which may reach back into the owner.
    void Reset() {
        if (T* held = std::exchange(pointer_, nullptr))
            held->vtbl->Release(held);
    }
    // QueryInterface for `iid` into `out`.
    template <class U>
    HRESULT As(const GUID& iid, Ref<U>& out) const {
        if (pointer_ == nullptr)
            return E_POINTER;
        return pointer_->vtbl->QueryInterface(pointer_, iid, out.PutVoid());
    }

  private:
    T* pointer_ = nullptr;
};

}  // namespace hs::win::winrt
