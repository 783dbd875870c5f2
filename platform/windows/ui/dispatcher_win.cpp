#include "platform/windows/ui/dispatcher_win.h"

namespace hs::win::ui {

namespace {

constexpr UINT kMsgRunQueued = WM_APP + 0x51;
constexpr const wchar_t* kClassName = L"HsDispatcher";

LRESULT CALLBACK DispatcherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgRunQueued) {
        auto* self = reinterpret_cast<WindowsDispatcher*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr)
            self->RunQueued();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

WindowsDispatcher::WindowsDispatcher() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DispatcherProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);  // fails harmlessly when the class exists already
    hwnd_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ != nullptr)
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowsDispatcher::~WindowsDispatcher() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void WindowsDispatcher::Enqueue(std::function<void()> apply) {
    if (queue_.Push(std::move(apply)) && hwnd_ != nullptr)
        PostMessageW(hwnd_, kMsgRunQueued, 0, 0);
}

void WindowsDispatcher::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    queue_.RunAll();
}

}  // namespace hs::win::ui
