#include "platform/windows/ui/front_end.h"

#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/windows/ui/pictures.h"
#include "platform/windows/ui/view.h"
#include "platform/windows/wide.h"

namespace hs::win::ui {

using model::Event;
using model::Property;

namespace {

constexpr const wchar_t* kWindowClass = L"HsWindow";

WindowView* ViewOf(HWND hwnd) {
    return reinterpret_cast<WindowView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void ApplyPending(WindowView& view) {
    std::vector<std::pair<int, Property>> items;
    {
        std::lock_guard<std::mutex> lock(view.pending->mutex);
        items.swap(view.pending->items);
        view.pending->posted = false;
    }
    std::vector<int> popups;
    std::vector<int> focus;
    for (const auto& [index, property] : items) {
        if (property == Property::Popup) {
            popups.push_back(index);
        } else if (property == Property::Focus) {
            focus.push_back(index);
        } else {
            ApplyProperty(view, index, property);
        }
    }
    // Outside the sync scope: the control that loses the focus reports it as the user's.
    for (int index : focus) {
        if (index > 0 && index < static_cast<int>(view.controls.size()) &&
            view.controls[static_cast<size_t>(index)].hwnd)
            SetFocus(view.controls[static_cast<size_t>(index)].hwnd);
    }
    // Menus are modal: shown last, after every other change is on screen.
    for (int index : popups)
        ShowPopupMenu(view, index);
}

// Writes the window's real position into the model (the user moved it).
void StoreGeometry(WindowView& view) {
    // A minimised window's rectangle is its place in the task bar, not its own.
    if (IsIconic(view.hwnd))
        return;
    RECT rc;
    GetWindowRect(view.hwnd, &rc);
    model::Control self = view.model->Self();
    if (self.Left() != rc.left || self.Top() != rc.top || self.Width() != rc.right - rc.left ||
        self.Height() != rc.bottom - rc.top) {
        self.Move(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
}

LRESULT ColourStatic(WindowView& view, HDC dc, HWND control) {
    const int index = view.IndexOf(control);
    std::optional<model::Colour> own;
    if (index > 0)
        own = view.model->At(index).TextColour();
    SetTextColor(dc, own ? ToColorRef(*own) : view.theme.Text());
    SetBkColor(dc, view.theme.Background());
    return reinterpret_cast<LRESULT>(view.theme.BackgroundBrush());
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    WindowView* view = ViewOf(hwnd);
    if (!view || !view->model)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg != 0 && msg == TaskbarCreatedMessage()) {
        OnTaskbarCreated(*view);
        return 0;
    }
    switch (msg) {
        case WM_PARENTNOTIFY:
            if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN)
                HideBalloonOnOutsideClick(*view);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
            HideBalloonOnOutsideClick(*view);
            break;
        case kMsgSync:
            ApplyPending(*view);
            return 0;
        case kMsgQuit:
            PostQuitMessage(static_cast<int>(wParam));
            return 0;
        case kMsgTray:
            OnTrayMessage(*view, lParam);
            return 0;
        case WM_COMMAND:
            if (lParam != 0)
                OnCommand(*view, wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            bool handled = false;
            const LRESULT r = OnNotify(*view, reinterpret_cast<NMHDR*>(lParam), handled);
            if (handled)
                return r;
            break;
        }
        case WM_HSCROLL:
            if (lParam != 0)
                OnScroll(*view, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER: {
            const int index = static_cast<int>(wParam - kTimerIdBase);
            if (index > 0 && index < view->model->ControlCount()) {
                model::Control timer = view->model->At(index);
                if (timer.Interval() > 0) {
                    view->model->Dispatch(timer.Name(), Event::Tick);
                } else {
                    KillTimer(hwnd, wParam);
                    view->controls[static_cast<size_t>(index)].timerRunning = false;
                }
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
            return ColourStatic(*view, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(view->theme.Colours().editText));
            SetBkColor(dc, ToColorRef(view->theme.Colours().editBackground));
            return reinterpret_cast<LRESULT>(view->theme.EditBrush());
        }
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(dc, &rc, view->theme.BackgroundBrush());
            if (!view->options.background.empty()) {
                if (HBITMAP bitmap = PictureBitmap(view->options.background, view->model->Dpi())) {
                    HDC mem = CreateCompatibleDC(dc);
                    HGDIOBJ old = SelectObject(mem, bitmap);
                    BITMAP info;
                    GetObjectW(bitmap, sizeof(info), &info);
                    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
                    SelectObject(mem, old);
                    DeleteDC(mem);
                }
            }
            return 1;
        }
        case WM_CLOSE: {
            const std::string name = view->model->Self().Name();
            if (!view->model->Dispatch(name, Event::CloseRequested)) {
                view->model->Self().SetVisible(false);
            }
            return 0;
        }
        case WM_RBUTTONUP:
            view->model->Dispatch(view->model->Self().Name(), Event::RightUp);
            return 0;
        case WM_ENTERSIZEMOVE:
            view->moving = true;
            break;
        case WM_EXITSIZEMOVE:
            view->moving = false;
            StoreGeometry(*view);
            view->model->Dispatch(view->model->Self().Name(), Event::PositionChanged);
            break;
        case WM_MOVE:
            if (view->syncing == 0) {
                StoreGeometry(*view);
                if (!view->moving && IsWindowVisible(hwnd)) {
                    view->model->Dispatch(view->model->Self().Name(), Event::PositionChanged);
                }
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterWindowClass() {
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hIcon = PictureIcon(hs::ui::kPictureWindowIcon);
    wc.hIconSm = PictureIcon(hs::ui::kPictureTrayIdle, GetSystemMetrics(SM_CXSMICON));
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
}

}  // namespace

FrontEnd::FrontEnd() {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                 ICC_LINK_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&init);
}

FrontEnd::~FrontEnd() {
    for (auto& view : views_) {
        view->model->RemoveObserver(view->observer);
        if (view->options.messageBoxes)
            view->model->SetMessageBoxHandler(nullptr);
        RemoveTray(*view);
        if (view->balloon)
            DestroyWindow(view->balloon);
        view->balloon = nullptr;
        HWND hwnd = view->hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

void FrontEnd::Create(hs::ui::Window& window, const WindowOptions& options) {
    if (thread_ == 0)
        thread_ = GetCurrentThreadId();
    RegisterWindowClass();
    auto view = std::make_unique<WindowView>();
    view->frontEnd = this;
    view->model = &window;
    view->options = options;
    view->pending = std::make_shared<PendingChanges>();
    view->theme.Update(window.Themed(), window.Hue());
    model::Control self = window.Self();
    const DWORD style = options.borderless ? WS_POPUP | WS_CLIPCHILDREN
                                           : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                                 WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = options.borderless ? WS_EX_TOOLWINDOW : 0;
    WindowView& v = *view;
    views_.push_back(std::move(view));
    {
        SyncScope scope(v);
        v.hwnd = CreateWindowExW(exStyle, kWindowClass, Widen(self.Text()).c_str(), style,
                                 self.Left(), self.Top(), self.Width(), self.Height(), nullptr,
                                 nullptr, GetModuleHandleW(nullptr), &v);
        AllowTaskbarCreated(v.hwnd);
        if (!options.background.empty()) {
            SetWindowRgn(v.hwnd, PictureRegion(options.background, window.Dpi()), FALSE);
        }
        CreateControls(v);
    }
    v.pending->hwnd = v.hwnd;
    std::shared_ptr<PendingChanges> pending = v.pending;
    v.observer = window.AddObserver([pending](hs::ui::Control control, Property property) {
        std::lock_guard<std::mutex> lock(pending->mutex);
        const std::pair<int, Property> change{control.Index(), property};
        // Popups are requests, not state: each one is kept.
        if (property != Property::Popup && std::find(pending->items.begin(), pending->items.end(),
                                                     change) != pending->items.end()) {
            return;
        }
        pending->items.push_back(change);
        if (!pending->posted) {
            pending->posted = PostMessageW(pending->hwnd, kMsgSync, 0, 0) != FALSE;
        }
    });
    if (options.messageBoxes) {
        HWND owner = v.hwnd;
        window.SetMessageBoxHandler(
            [owner](const std::string& text, const std::string& caption, int flags) {
                return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(),
                                   static_cast<UINT>(flags));
            });
    }
    {
        SyncScope scope(v);
        if (window.TrayShown())
            ApplyTray(v);
        if (self.Topmost())
            ApplyProperty(v, 0, Property::Topmost);
        if (self.Visible())
            ApplyProperty(v, 0, Property::Visible);
    }
}

int FrontEnd::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void FrontEnd::Quit(int exitCode) {
    if (thread_ == 0 || GetCurrentThreadId() == thread_) {
        PostQuitMessage(exitCode);
    } else if (!views_.empty()) {
        PostMessageW(views_.front()->hwnd, kMsgQuit, static_cast<WPARAM>(exitCode), 0);
    } else {
        PostThreadMessageW(thread_, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
    }
}

void FrontEnd::Flush() {
    for (auto& view : views_)
        ApplyPending(*view);
}

HWND FrontEnd::WindowHandle(const hs::ui::Window& window) const {
    for (const auto& view : views_) {
        if (view->model == &window)
            return view->hwnd;
    }
    return nullptr;
}

HWND FrontEnd::ControlHandle(const hs::ui::Window& window, const std::string& name) const {
    for (const auto& view : views_) {
        if (view->model != &window)
            continue;
        const int index = view->IndexOf(name);
        return index > 0 ? view->controls[static_cast<size_t>(index)].hwnd : nullptr;
    }
    return nullptr;
}

HWND FrontEnd::BalloonHandle(const hs::ui::Window& window) const {
    for (const auto& view : views_) {
        if (view->model == &window)
            return view->balloon;
    }
    return nullptr;
}

}  // namespace hs::win::ui
