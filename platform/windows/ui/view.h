// Internal state of the Win32 front end: one WindowView per model window, one
// ControlView per control. Used only inside platform/windows/ui.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/ui/front_end.h"
#include "platform/windows/ui/theme.h"
#include "ui/model.h"

namespace hs::win::ui {

namespace model = hs::ui;

// Private window messages.
inline constexpr UINT kMsgSync = WM_APP + 1;  // apply the posted model changes
inline constexpr UINT kMsgTray = WM_APP + 2;  // notification-area icon callback
inline constexpr UINT kMsgQuit = WM_APP + 3;  // wParam: exit code
inline constexpr UINT_PTR kTimerIdBase = 1000;

// Registers a window class of the program's own with the arrow cursor and returns
// its name. Callers keep the result in a function-local static, so each class is
// registered once.
inline const wchar_t* RegisterOwnClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = name;
    RegisterClassW(&wc);
    return name;
}

// Changes recorded by the observer, waiting for the window thread. Shared with the
// observer so a late notification never touches a destroyed view.
struct PendingChanges {
    std::mutex mutex;
    std::vector<std::pair<int, model::Property>> items;  // control index, what changed
    bool posted = false;
    HWND hwnd = nullptr;
};

struct ControlView {
    model::Kind kind = model::Kind::Label;
    HWND hwnd = nullptr;  // none for timers, menus, menu items and balloons
    int container = -1;   // index of the container control (-1 = the window)
    int tab = -1;         // index of the tab control the control sits on
    int page = -1;        // its page on that tab
    int originX = 0;      // the container's origin in the window's client area
    int originY = 0;
    bool timerRunning = false;
    int lastPosition = 0;  // sliders: the position last written to the model
};

struct WindowView {
    FrontEnd* frontEnd = nullptr;
    model::Window* model = nullptr;
    WindowOptions options;
    HWND hwnd = nullptr;
    std::vector<ControlView> controls;
    int observer = -1;
    std::shared_ptr<PendingChanges> pending;
    int syncing = 0;  // > 0 while the front end itself writes to controls
    HWND tips = nullptr;
    HWND styledTips = nullptr;
    HWND balloon = nullptr;
    int balloonOwner = -1;
    bool trayAdded = false;
    HICON trayIcon = nullptr;
    Theme theme;
    bool moving = false;

    int IndexOf(const std::string& name) const;
    int IndexOf(HWND control) const;
};

// Guards the front end's own writes so the notifications they cause are not taken
// for user input.
class SyncScope {
  public:
    explicit SyncScope(WindowView& view) : view_(view) { ++view_.syncing; }
    ~SyncScope() { --view_.syncing; }
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;

  private:
    WindowView& view_;
};

// controls.cpp
void CreateControls(WindowView& view);
bool EffectiveVisible(WindowView& view, int index);
void ApplyVisibility(WindowView& view);
void ApplyProperty(WindowView& view, int index, model::Property property);
void PlaceControl(WindowView& view, int index);

// input.cpp: WM_COMMAND / WM_NOTIFY / WM_HSCROLL from the controls.
void OnCommand(WindowView& view, WPARAM wParam, LPARAM lParam);
LRESULT OnNotify(WindowView& view, NMHDR* header, bool& handled);
void OnScroll(WindowView& view, HWND control);
void SubclassControl(WindowView& view, int index);

// popups.cpp: popup menus, the balloon pop-up, hover tips, the notification icon.
void ShowPopupMenu(WindowView& view, int index);
void ApplyBalloon(WindowView& view, int index);
// A click on the window or one of its controls: an open bubble goes, as it does when
// it loses the focus.
void HideBalloonOnOutsideClick(WindowView& view);
void ApplyTip(WindowView& view, int index);
void ApplyTray(WindowView& view);
void RemoveTray(WindowView& view);
// Shows the model's tray notice in a balloon at the icon (nothing without an icon).
void ShowTrayBalloon(WindowView& view);
void OnTrayMessage(WindowView& view, LPARAM lParam);
// The message a starting Explorer broadcasts once its notification area exists.
UINT TaskbarCreatedMessage();
// Lets that message reach `hwnd` even when the program runs elevated and Explorer does
// not (ChangeWindowMessageFilterEx, Windows 7 and later, looked up at run time).
void AllowTaskbarCreated(HWND hwnd);
// Explorer started again: its notification area is new and empty, so a shown icon is
// added again.
void OnTaskbarCreated(WindowView& view);

// Wide text of a window.
std::wstring WindowTextOf(HWND hwnd);

}  // namespace hs::win::ui
