#include "platform/windows/random_win.h"

#include <windows.h>
// windows.h first: wincrypt.h builds on it (and is left out by WIN32_LEAN_AND_MEAN).
#include <wincrypt.h>

#include <algorithm>

#include "platform/windows/proc_lookup.h"

namespace hs::win {
namespace {

using RtlGenRandomFn = BOOLEAN(WINAPI*)(PVOID, ULONG);
using CryptAcquireContextFn = BOOL(WINAPI*)(HCRYPTPROV*, LPCWSTR, LPCWSTR, DWORD, DWORD);
using CryptGenRandomFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD, BYTE*);
using CryptReleaseContextFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD);

struct GeneratorFunctions {
    RtlGenRandomFn rtlGenRandom = nullptr;
    CryptAcquireContextFn acquire = nullptr;
    CryptGenRandomFn generate = nullptr;
    CryptReleaseContextFn release = nullptr;
};

const GeneratorFunctions& Functions() {
    static const GeneratorFunctions functions = [] {
        GeneratorFunctions found;
        HMODULE module = GetModuleHandleW(L"advapi32.dll");
        if (module == nullptr)
            module = LoadLibraryW(L"advapi32.dll");
        if (module == nullptr)
            return found;
        found.rtlGenRandom = LookUpProc<RtlGenRandomFn>(module, "SystemFunction036");
        found.acquire = LookUpProc<CryptAcquireContextFn>(module, "CryptAcquireContextW");
        found.generate = LookUpProc<CryptGenRandomFn>(module, "CryptGenRandom");
        found.release = LookUpProc<CryptReleaseContextFn>(module, "CryptReleaseContext");
        return found;
    }();
    return functions;
}

// The largest piece either call takes at once.
constexpr size_t kMaxPiece = 0x10000000;

bool FillWithRtlGenRandom(const GeneratorFunctions& f, uint8_t* out, size_t count) {
    for (size_t done = 0; done < count;) {
        const size_t piece = std::min(count - done, kMaxPiece);
        if (!f.rtlGenRandom(out + done, static_cast<ULONG>(piece)))
            return false;
        done += piece;
    }
    return true;
}

bool FillWithCryptGenRandom(const GeneratorFunctions& f, uint8_t* out, size_t count) {
    if (f.acquire == nullptr || f.generate == nullptr || f.release == nullptr)
        return false;
    HCRYPTPROV provider = 0;
    if (!f.acquire(&provider, nullptr, nullptr, PROV_RSA_FULL,
                   CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
        return false;
    }
    bool filled = true;
    for (size_t done = 0; filled && done < count;) {
        const size_t piece = std::min(count - done, kMaxPiece);
        filled = f.generate(provider, static_cast<DWORD>(piece), out + done) != FALSE;
        done += piece;
    }
    f.release(provider, 0);
    return filled;
}

}  // namespace

bool WindowsRandom::Fill(uint8_t* out, size_t count) {
    if (count == 0)
        return true;
    const GeneratorFunctions& f = Functions();
    if (f.rtlGenRandom != nullptr && FillWithRtlGenRandom(f, out, count))
        return true;
    return FillWithCryptGenRandom(f, out, count);
}

}  // namespace hs::win
