// Pop-ups of a window: popup menus at the mouse, the balloon tip with its links,
// hover tips and the notification-area icon.
#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "platform/windows/proc_lookup.h"
#include "platform/windows/ui/fonts.h"
#include "platform/windows/ui/mini_html.h"
#include "platform/windows/ui/pictures.h"
#include "platform/windows/ui/view.h"
#include "platform/windows/wide.h"
#include "platform/windows/windows_system.h"
#include "ui/balloon_place.h"

namespace hs::win::ui {

using model::Event;
using model::Kind;

namespace {

constexpr UINT kTrayId = 1;
// Pixels at 96 DPI, scaled to the window's DPI.
constexpr int kBalloonPadding = 6;
constexpr int kBalloonMaxWidth = 260;
constexpr int kBalloonLineHeight = 20;
constexpr int kTipMaxWidth = 320;
// A bubble goes by itself after this long: Windows does not let a program in the
// background take the focus, so one shown while the user works elsewhere would never
// lose it, and would stay over the other programs.
constexpr UINT kBalloonTimeoutMs = 10000;
constexpr UINT_PTR kBalloonTimer = 1;

std::wstring TipText(const std::string& text) {
    std::wstring wide = Widen(text);
    std::wstring out;
    for (size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\n' && (i == 0 || wide[i - 1] != L'\r'))
            out += L'\r';
        out += wide[i];
    }
    return out;
}

HWND TipWindow(WindowView& view, bool styled) {
    HWND& tips = styled ? view.styledTips : view.tips;
    if (!tips) {
        DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX | WS_POPUP;
        if (styled)
            style |= TTS_BALLOON;
        tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, view.hwnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, view.model->Scaled(kTipMaxWidth));
        SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 15000);
    }
    return tips;
}

TOOLINFOW ToolFor(WindowView& view, HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = view.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

LRESULT CALLBACK BalloonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<WindowView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            SetBkColor(dc, GetSysColor(COLOR_INFOBK));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
        }
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_INFOBK));
            return 1;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (view && view->balloonOwner > 0 &&
                (header->code == NM_CLICK || header->code == NM_RETURN)) {
                model::Control owner = view->model->At(view->balloonOwner);
                model::EventArgs args;
                args.text = Narrow(reinterpret_cast<NMLINK*>(header)->item.szUrl);
                // Hidden through the model: the bubble goes away once this returns.
                owner.HideBalloon();
                view->model->Dispatch(owner.Name(), Event::LinkClicked, args);
                return 0;
            }
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && view && view->balloonOwner > 0) {
                view->model->At(view->balloonOwner).HideBalloon();
            }
            break;
        case WM_TIMER:
            if (wParam == kBalloonTimer && view && view->balloonOwner > 0) {
                KillTimer(hwnd, kBalloonTimer);
                view->model->At(view->balloonOwner).HideBalloon();
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* BalloonClass() {
    static const wchar_t* name = RegisterOwnClass(L"HsBalloon", BalloonProc);
    return name;
}

void DestroyBalloon(WindowView& view) {
    if (view.balloon) {
        HWND old = view.balloon;
        view.balloon = nullptr;
        view.balloonOwner = -1;
        DestroyWindow(old);
    }
}

// The notification-area icon of the window, with no field to change set yet.
NOTIFYICONDATAW TrayIconData(const WindowView& view) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = view.hwnd;
    data.uID = kTrayId;
    return data;
}

}  // namespace

void ShowPopupMenu(WindowView& view, int index) {
    model::Window& w = *view.model;
    const std::string menuName = w.At(index).Name();
    HMENU menu = CreatePopupMenu();
    int items = 0;
    for (int i = 1; i < w.ControlCount(); ++i) {
        if (w.Spec(i).kind != Kind::MenuItem || w.Spec(i).container != menuName)
            continue;
        model::Control item = w.At(i);
        if (!item.Visible())
            continue;
        std::string caption = item.Text();
        if (caption.empty())
            caption = item.Name();
        UINT flags =
            MF_STRING | (item.Enabled() ? 0 : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(i), Widen(caption).c_str());
        ++items;
    }
    if (items > 0) {
        POINT at;
        GetCursorPos(&at);
        SetForegroundWindow(view.hwnd);
        const int chosen =
            static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                            at.x, at.y, 0, view.hwnd, nullptr));
        PostMessageW(view.hwnd, WM_NULL, 0, 0);
        if (chosen > 0)
            w.Dispatch(w.At(chosen).Name(), Event::ItemChosen);
    }
    DestroyMenu(menu);
}

void ApplyBalloon(WindowView& view, int index) {
    model::Control c = view.model->At(index);
    if (!c.BalloonShown()) {
        if (view.balloonOwner == index)
            DestroyBalloon(view);
        return;
    }
    DestroyBalloon(view);
    HWND popup =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, BalloonClass(), L"", WS_POPUP | WS_BORDER,
                        0, 0, 10, 10, view.hwnd, nullptr, GetModuleHandleW(nullptr), &view);
    const std::wstring markup = Widen(HtmlToLinkMarkup(c.Document()));
    // The bubble's text, padding and widths grow with the window's DPI, so its size
    // (and where it is placed) is in the same pixels as the window's.
    const int padding = view.model->Scaled(kBalloonPadding);
    const int maxWidth = view.model->Scaled(kBalloonMaxWidth);
    const int lineHeight = view.model->Scaled(kBalloonLineHeight);
    HWND link =
        CreateWindowExW(0, WC_LINK, markup.c_str(), WS_CHILD | WS_VISIBLE, padding, padding,
                        maxWidth, lineHeight, popup, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(link, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontFor("", 10, false, view.model->Dpi())), FALSE);
    SIZE ideal{maxWidth, lineHeight};
    SendMessageW(link, LM_GETIDEALHEIGHT,  // with a SIZE: the ideal size
                 static_cast<WPARAM>(maxWidth), reinterpret_cast<LPARAM>(&ideal));
    if (ideal.cx <= 0 || ideal.cx > maxWidth)
        ideal.cx = maxWidth;
    if (ideal.cy <= 0)
        ideal.cy = lineHeight;
    SetWindowPos(link, nullptr, padding, padding, ideal.cx, ideal.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{0, 0, ideal.cx + 2 * padding, ideal.cy + 2 * padding};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // On the monitor of the point it shows from (the traffic bar, or the control), which
    // need not be the primary one. Asked to open upwards (the traffic bar near its
    // monitor's bottom), the bubble stands on the point instead of hanging from it;
    // otherwise, near the bottom of that monitor, it opens upwards all the same.
    const ScreenRect place =
        hs::ui::PlaceBalloon(c.BalloonX(), c.BalloonY(), width, height, c.BalloonUpwards(),
                             WindowsDesktop().Displays().workAreas);
    view.balloon = popup;
    view.balloonOwner = index;
    SetWindowPos(popup, HWND_TOPMOST, place.left, place.top, width, height, SWP_SHOWWINDOW);
    SetForegroundWindow(popup);
    SetTimer(popup, kBalloonTimer, kBalloonTimeoutMs, nullptr);
}

void HideBalloonOnOutsideClick(WindowView& view) {
    if (view.balloon && view.balloonOwner > 0)
        view.model->At(view.balloonOwner).HideBalloon();
}

void ApplyTip(WindowView& view, int index) {
    HWND control = view.controls[static_cast<size_t>(index)].hwnd;
    if (!control)
        return;
    model::Control c = view.model->At(index);
    const std::string tip = c.Tip();
    for (HWND tips : {view.tips, view.styledTips}) {
        if (!tips)
            continue;
        TOOLINFOW tool = ToolFor(view, control);
        SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (tip.empty())
        return;
    HWND tips = TipWindow(view, c.TipStyled());
    TOOLINFOW tool = ToolFor(view, control);
    std::wstring text = TipText(tip);
    tool.lpszText = text.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ApplyTray(WindowView& view) {
    model::Window& w = *view.model;
    NOTIFYICONDATAW data = TrayIconData(view);
    if (!w.TrayShown()) {
        RemoveTray(view);
        return;
    }
    data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = kMsgTray;
    // Drawn in the size the notification area shows it (16 pixels at 96 DPI).
    data.hIcon = PictureIcon(w.TrayPicture(), GetSystemMetrics(SM_CXSMICON));
    const std::wstring tip = Widen(w.TrayTip());
    tip.copy(data.szTip, std::min<size_t>(tip.size(), ARRAYSIZE(data.szTip) - 1));
    if (view.trayAdded) {
        Shell_NotifyIconW(NIM_MODIFY, &data);
    } else {
        view.trayAdded = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    }
}

void ShowTrayBalloon(WindowView& view) {
    if (!view.trayAdded)
        return;
    NOTIFYICONDATAW data = TrayIconData(view);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    const std::wstring title = Widen(view.model->TrayBalloonTitle());
    const std::wstring text = Widen(view.model->TrayBalloonText());
    title.copy(data.szInfoTitle, std::min<size_t>(title.size(), ARRAYSIZE(data.szInfoTitle) - 1));
    text.copy(data.szInfo, std::min<size_t>(text.size(), ARRAYSIZE(data.szInfo) - 1));
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void RemoveTray(WindowView& view) {
    if (!view.trayAdded)
        return;
    NOTIFYICONDATAW data = TrayIconData(view);
    Shell_NotifyIconW(NIM_DELETE, &data);
    view.trayAdded = false;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void AllowTaskbarCreated(HWND hwnd) {
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    static const FilterFn filter =
        LookUpProc<FilterFn>(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx");
    if (filter != nullptr && TaskbarCreatedMessage() != 0)
        filter(hwnd, TaskbarCreatedMessage(), kAllow, nullptr);
}

void OnTaskbarCreated(WindowView& view) {
    view.trayAdded = false;
    ApplyTray(view);
}

void OnTrayMessage(WindowView& view, LPARAM lParam) {
    int code = 0;
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            code = 1;
            break;
        case WM_LBUTTONDBLCLK:
            code = 2;
            break;
        case WM_RBUTTONUP:
            code = 3;
            break;
        default:
            return;
    }
    model::EventArgs args;
    args.code = code;
    view.model->Dispatch(view.model->Self().Name(), Event::TrayEvent, args);
}

}  // namespace hs::win::ui
