// The main window's events on the real Win32 front end under a simulated laptop:
// hidden to the notification area and back by the icon, centred on the screen; the
// page "管理用户" grows the window; the timed shutdown's label counts down; closing
// collapses the window and ends the program with exit code 0.
#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/simulated_laptop.h"
#include "platform/windows/ui/dispatcher_win.h"
#include "platform/windows/ui/front_end.h"
#include "platform/windows/ui/view.h"
#include "platform/windows/wide.h"
#include "platform/windows/windows_host.h"
#include "tests/windows/ui_test_support.h"

namespace {

using hs::win::test::FreshFolder;
using hs::win::test::PumpUntil;
using hs::win::test::TextOf;

class UiWindowEvents : public ::testing::Test {
  protected:
    UiWindowEvents() : files(FreshFolder("tulawifi-ui-events")) {
        laptop = hs::sim::SimulatedLaptop::FromScenario(hs::sim::SimulatedLaptop::DefaultScenario(),
                                                        *windows.host().clock,
                                                        *windows.host().codec, files);
        host = laptop->MakeHost();
        host.desktop = windows.host().desktop;
        app = std::make_unique<hs::app::App>(host, dispatcher);
        app->quitHook = [this](int code) { quitCodes.push_back(code); };
        hs::win::ui::WindowOptions options;
        options.messageBoxes = false;
        frontEnd.Create(app->Main(), options);
        options.borderless = true;
        options.background = hs::ui::kPictureBarBackground;
        frontEnd.Create(app->Bar(), options);
        hwnd = frontEnd.WindowHandle(app->Main());
        app->Main().Self().Move(100, 100, 380, 268);
        app->Main().Self().SetVisible(true);
        app->Main().SetTrayIcon(hs::ui::kPictureTrayIdle, "未开启共享");
        frontEnd.Flush();
    }
    ~UiWindowEvents() override { app->EndWorkers(); }
    RECT Rect() {
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        return rc;
    }
    void Click(const char* name) {
        SendMessageW(frontEnd.ControlHandle(app->Main(), name), BM_CLICK, 0, 0);
    }

    hs::win::WindowsHost windows;
    hs::sim::DirectoryFiles files;
    std::unique_ptr<hs::sim::SimulatedLaptop> laptop;
    hs::Host host;
    hs::win::ui::WindowsDispatcher dispatcher;
    std::unique_ptr<hs::app::App> app;
    hs::win::ui::FrontEnd frontEnd;
    HWND hwnd = nullptr;
    std::vector<int> quitCodes;
};

TEST_F(UiWindowEvents, HiddenToTheTrayAndBackByTheIconCentredOnTheScreen) {
    ASSERT_TRUE(IsWindowVisible(hwnd));
    Click("按钮右下角");
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(hwnd); }));
    EXPECT_TRUE(IsIconic(hwnd));

    SendMessageW(hwnd, hs::win::ui::kMsgTray, 1, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(hwnd) && !IsIconic(hwnd); }));
    frontEnd.Flush();
    const RECT rc = Rect();
    EXPECT_EQ(rc.right - rc.left, 380);
    EXPECT_EQ(rc.bottom - rc.top, 268);
    EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
    EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - 268) / 2);
    // The moment on top ends 200 ms later, from its worker, while messages flow.
    EXPECT_TRUE(PumpUntil([&] {
        frontEnd.Flush();
        return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0;
    }));
}

TEST_F(UiWindowEvents, TheUsersPageGrowsTheWindowAndTheMainPageShrinksIt) {
    HWND tab = frontEnd.ControlHandle(app->Main(), "选择夹1");
    auto turnTo = [&](int page) {
        SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
        NMHDR header{};
        header.hwndFrom = tab;
        header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tab));
        header.code = TCN_SELCHANGE;
        SendMessageW(hwnd, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        frontEnd.Flush();
    };
    turnTo(1);
    EXPECT_EQ(Rect().bottom - Rect().top, 328);
    EXPECT_TRUE(IsWindowVisible(frontEnd.ControlHandle(app->Main(), "超级列表框2")));
    turnTo(0);
    EXPECT_EQ(Rect().bottom - Rect().top, 268);
}

TEST_F(UiWindowEvents, TheCountdownLabelRuns) {
    HWND minutes = frontEnd.ControlHandle(app->Main(), "编辑框关机");
    SetWindowTextW(minutes, L"1");
    Click("选择框关机");
    HWND label = frontEnd.ControlHandle(app->Main(), "标签关机");
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(label) != FALSE; }));
    EXPECT_EQ(TextOf(label), "00时01分00秒后关机");
    EXPECT_TRUE(PumpUntil([&] { return TextOf(label) == "00时00分59秒后关机"; }, 3000));
    Click("选择框关机");
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(label); }));
    EXPECT_EQ(laptop->Snapshot().shutdownRequests, 0);
}

TEST_F(UiWindowEvents, ClosingCollapsesTheWindowAndEndsWithExitCodeZero) {
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !quitCodes.empty(); }, 10000));
    EXPECT_EQ(quitCodes, (std::vector<int>{0}));
    frontEnd.Flush();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION, 0);
    const RECT rc = Rect();
    EXPECT_EQ(rc.right - rc.left, 0);
    EXPECT_EQ(rc.bottom - rc.top, 0);
    EXPECT_FALSE(app->Main().TrayShown());
    EXPECT_FALSE(laptop->Snapshot().hosted.allowed);
}

TEST_F(UiWindowEvents, TheTrayIconComesBackWhenExplorerStartsAgain) {
    app->Main().SetTrayIcon(hs::ui::kPictureTrayIdle, "未开启共享");
    frontEnd.Flush();
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = hwnd;
    icon.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon));
    // A restarted Explorer's notification area holds none of the icons of before.
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
    ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &icon));
    // It then tells every top-level window that it is there.
    PostMessageW(HWND_BROADCAST, hs::win::ui::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE; }));
}

}  // namespace
