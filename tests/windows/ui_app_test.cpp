// The program's windows on the real Win32 front end under a simulated laptop: what
// the user sees at start, the show-password click, and a second instance.
#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/simulated_laptop.h"
#include "platform/windows/ui/dispatcher_win.h"
#include "platform/windows/ui/front_end.h"
#include "platform/windows/ui/pictures.h"
#include "platform/windows/wide.h"
#include "platform/windows/windows_host.h"
#include "tests/windows/ui_test_support.h"

namespace {

using hs::win::test::FreshFolder;
using hs::win::test::PumpUntil;
using hs::win::test::TextOf;

const char* const kTitle = "岚舟笔记本设置WiFi热点工具";

class UiApp : public ::testing::Test {
  protected:
    UiApp() : files(FreshFolder("tulawifi-ui-test")) {
        laptop = hs::sim::SimulatedLaptop::FromScenario(hs::sim::SimulatedLaptop::DefaultScenario(),
                                                        *windows.host().clock,
                                                        *windows.host().codec, files);
        host = laptop->MakeHost();
        host.desktop = windows.host().desktop;
    }
    hs::win::WindowsHost windows;
    hs::sim::DirectoryFiles files;
    std::unique_ptr<hs::sim::SimulatedLaptop> laptop;
    hs::Host host;
};

TEST_F(UiApp, MainWindowOpensOnTheMainPageInitialisingAndShowPasswordMasks) {
    ASSERT_EQ(FindWindowW(nullptr, hs::win::Widen(kTitle).c_str()), nullptr)
        << "another instance of the program runs in this Wine prefix";
    hs::win::ui::WindowsDispatcher dispatcher;
    hs::app::App app(host, dispatcher);
    hs::win::ui::FrontEnd frontEnd;
    app.quitHook = [&frontEnd](int code) { frontEnd.Quit(code); };
    hs::win::ui::WindowOptions options;
    options.messageBoxes = false;
    frontEnd.Create(app.Main(), options);
    options.borderless = true;
    options.background = hs::ui::kPictureBarBackground;
    frontEnd.Create(app.Bar(), options);
    hs::ui::Window& main = app.Main();
    main.Dispatch(main.Self().Name(), hs::ui::Event::Created);
    ASSERT_FALSE(app.Ending());
    main.Self().SetVisible(true);
    frontEnd.Flush();

    HWND hwnd = frontEnd.WindowHandle(main);
    EXPECT_EQ(TextOf(hwnd), kTitle);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsWindowVisible(frontEnd.WindowHandle(app.Bar())));
    HWND tab = frontEnd.ControlHandle(main, "选择夹1");
    ASSERT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
    wchar_t caption[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = 32;
    SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, L"主界面");
    HWND start = frontEnd.ControlHandle(main, "按钮开始");
    EXPECT_FALSE(IsWindowEnabled(start));
    EXPECT_EQ(TextOf(start), "初始化中\r\n请稍后");
    HWND password = frontEnd.ControlHandle(main, "编辑框密码");
    EXPECT_EQ(SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), 0);  // shown in plain text
    // A first start: ten generated digits, saved at once.
    const std::string key = TextOf(password);
    EXPECT_EQ(key.size(), 10u);
    EXPECT_EQ(key.find_first_not_of("0123456789"), std::string::npos) << key;
    EXPECT_NE(key, "5802741639");
    std::string ini;
    ASSERT_EQ(files.Read("c:\\tulawifi.ini", ini), hs::FileRead::Ok);
    EXPECT_NE(ini.find("key=" + key), std::string::npos) << ini;

    // The user unticks "显示密码": the password is masked and the choice saved.
    SendMessageW(frontEnd.ControlHandle(main, "选择框1"), BM_CLICK, 0, 0);
    EXPECT_TRUE(
        PumpUntil([&] { return SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0) == L'*'; }));
    ASSERT_EQ(files.Read("c:\\tulawifi.ini", ini), hs::FileRead::Ok);
    EXPECT_NE(ini.find("mm=2"), std::string::npos) << ini;
}

// Starts the program; the process handle, or nullptr.
HANDLE Start(const std::wstring& exe, PROCESS_INFORMATION& info) {
    std::wstring line = L"\"" + exe + L"\" --simulate";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

TEST(UiProgram, SecondInstanceRestoresTheFirstAndExitsWithZero) {
    const std::wstring exe = hs::win::Widen(HS_PROGRAM_EXE);
    const std::wstring title = hs::win::Widen(kTitle);
    ASSERT_EQ(FindWindowW(nullptr, title.c_str()), nullptr)
        << "another instance of the program runs in this Wine prefix";
    PROCESS_INFORMATION first{}, second{};
    ASSERT_NE(Start(exe, first), nullptr);
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowW(nullptr, title.c_str())) != nullptr; },
                          60000));
    // A minimised first window is restored by the second start.
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; }));
    ASSERT_NE(Start(exe, second), nullptr);
    ASSERT_EQ(WaitForSingleObject(second.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1234;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(FindWindowW(nullptr, title.c_str()), window);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(window) == FALSE; }));
    // Closing the window ends the first instance.
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(first.hProcess, 30000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the first instance did not end after WM_CLOSE";
        TerminateProcess(first.hProcess, 1);
    }
    CloseHandle(first.hProcess);
    CloseHandle(second.hProcess);
}

// The program on English Windows, through the real front end and the real clock: the
// start button pressed as a user would, its outcome read from the windows.
class UiEnglish : public ::testing::Test {
  protected:
    void Open(const std::string& more) {
        laptop = hs::sim::SimulatedLaptop::FromScenario(
            hs::sim::SimulatedLaptop::DefaultScenario() + "language en-US\n" + more,
            *windows.host().clock, *windows.host().codec, files);
        ASSERT_NE(laptop, nullptr);
        host = laptop->MakeHost();
        host.desktop = windows.host().desktop;
        app = std::make_unique<hs::app::App>(host, dispatcher);
        app->Main().SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, int) {
                boxes.push_back(caption + ": " + text);
                return 1;
            });
        hs::win::ui::WindowOptions options;
        options.messageBoxes = false;
        frontEnd = std::make_unique<hs::win::ui::FrontEnd>();
        frontEnd->Create(app->Main(), options);
        hs::ui::Window& main = app->Main();
        main.Dispatch(main.Self().Name(), hs::ui::Event::Created);
        main.Self().SetVisible(true);
        frontEnd->Flush();
        start = frontEnd->ControlHandle(main, "按钮开始");
        // The background preparation ends by enabling the start button.
        ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(start) != FALSE; }, 30000));
    }
    // The windows go before the program whose model they show.
    void TearDown() override {
        if (app)
            app->StopWorkers();
        frontEnd.reset();
        app.reset();
    }
    // The commands the laptop ran, one a line (what a failure shows).
    std::string Commands() {
        std::string all;
        for (const std::string& command : laptop->Snapshot().commands)
            all += command + "\n";
        return all;
    }
    std::string Text(const char* control) {
        return TextOf(frontEnd->ControlHandle(app->Main(), control));
    }

    hs::win::WindowsHost windows;
    hs::sim::DirectoryFiles files{FreshFolder("tulawifi-ui-english")};
    std::unique_ptr<hs::sim::SimulatedLaptop> laptop;
    hs::Host host;
    hs::win::ui::WindowsDispatcher dispatcher;
    std::unique_ptr<hs::app::App> app;
    std::unique_ptr<hs::win::ui::FrontEnd> frontEnd;
    HWND start = nullptr;
    std::vector<std::string> boxes;
};

TEST_F(UiEnglish, AStartTheLaptopRefusesEndsWithTheFailureBoxAndTheIdleWindow) {
    // A driver that cannot host the network: the Wi-Fi upstream itself still works.
    Open("hosted_network unsupported\n");
    SendMessageW(start, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.empty(); }, 30000)) << Commands();
    EXPECT_EQ(
        boxes[0].rfind("开启失败: 开启失败！失败类型：The hosted network couldn't be started.", 0),
        0u)
        << boxes[0];
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(start) != FALSE; }, 30000));
    EXPECT_EQ(TextOf(start), "开启共享");
    EXPECT_EQ(Text("标签9"), "未启动");
}

TEST_F(UiEnglish, AStartListsTheThreePhonesWithinAMinute) {
    Open("");
    SendMessageW(start, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return Text("标签9") == "已启动"; }, 30000)) << Text("标签9");
    EXPECT_TRUE(PumpUntil([&] { return Text("标签3") == "设备总数[3]"; }, 60000)) << Text("标签3");
    EXPECT_EQ(ListView_GetItemCount(frontEnd->ControlHandle(app->Main(), "超级列表框1")), 3);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace
