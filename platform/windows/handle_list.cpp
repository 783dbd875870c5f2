#include "platform/windows/handle_list.h"

#include "platform/windows/proc_lookup.h"

namespace hs::win {
namespace {

using InitializeFn = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T);
using UpdateFn = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T, PVOID,
                               PSIZE_T);
using DeleteFn = VOID(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST);

HMODULE Kernel32() {
    return GetModuleHandleW(L"kernel32.dll");
}

}  // namespace

HandleList::HandleList(HANDLE* handles, size_t count) {
    const auto initialize =
        LookUpProc<InitializeFn>(Kernel32(), "InitializeProcThreadAttributeList");
    const auto update = LookUpProc<UpdateFn>(Kernel32(), "UpdateProcThreadAttribute");
    if (initialize == nullptr || update == nullptr || count == 0)
        return;
    SIZE_T size = 0;
    initialize(nullptr, 1, 0, &size);  // asks for the size only
    if (size == 0)
        return;
    storage_.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!initialize(list, 1, 0, &size))
        return;
    ready_ = true;
    if (!update(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles, count * sizeof(HANDLE),
                nullptr, nullptr)) {
        Release();
    }
}

HandleList::~HandleList() {
    Release();
}

void HandleList::Release() {
    if (!ready_)
        return;
    if (const auto remove = LookUpProc<DeleteFn>(Kernel32(), "DeleteProcThreadAttributeList"))
        remove(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data()));
    ready_ = false;
}

LPPROC_THREAD_ATTRIBUTE_LIST HandleList::Get() const {
    return ready_ ? reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(
                        const_cast<unsigned char*>(storage_.data()))
                  : nullptr;
}

}  // namespace hs::win
