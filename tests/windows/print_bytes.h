// What the tests share with the print_bytes helper program: its output pattern and
// the command line that starts it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace hs::test {

// The first `n` bytes of a run of numbered ten-byte records ("000000000\n", ...): no
// zero byte, and no two stretches alike, so a lost, doubled or reordered chunk shows.
inline std::string PrintBytesPattern(size_t n) {
    std::string out;
    char record[16];
    for (unsigned k = 0; out.size() < n; ++k) {
        std::snprintf(record, sizeof record, "%09u\n", k);
        out += record;
    }
    out.resize(n);
    return out;
}

// The folder of the running program as UTF-8, with a trailing backslash.
inline std::string TestProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\' && path[n - 1] != L'/')
        --n;
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    std::string folder(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(n), folder.data(), size, nullptr,
                        nullptr);
    return folder;
}

// A command line that runs print_bytes.exe (built beside the tests) with `steps`.
inline std::string PrintBytes(const std::string& steps) {
    std::string line = "\"";
    line += TestProgramFolder();
    line += "print_bytes.exe\" ";
    line += steps;
    return line;
}

}  // namespace hs::test
