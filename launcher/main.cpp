// The program's native entry.
#include <windows.h>

#include <string>

#include "platform/windows/wide.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring title = hs::win::Widen("岚舟笔记本设置WiFi热点工具");
    MessageBoxW(nullptr, hs::win::Widen("初始化中").c_str(), title.c_str(), MB_OK);
    return 0;
}
