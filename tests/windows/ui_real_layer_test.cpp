// The real program on the real Windows layer under Wine: a start as far as Wine
// allows. Wine has no connection-sharing manager and its netsh prints nothing, so
// the hosted network counts as started while sharing cannot be switched on; the user
// must be told so. The update server is replaced by a closed port on 127.0.0.1, so
// nothing leaves the machine.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "hotspot/start_sharing.h"
#include "platform/windows/wide.h"
#include "platform/windows/windows_host.h"
#include "settings/settings_file.h"
#include "tests/windows/ui_test_support.h"
#include "ui/model.h"

namespace {

using hs::win::test::ClassOf;
using hs::win::test::PumpFor;
using hs::win::test::PumpUntil;
using hs::win::test::TextOf;

// The front end numbers each control's child window 100 + its place in the layout.
constexpr int kControlIdBase = 100;
constexpr const char* kInitialising = "初始化中\r\n请稍后";
constexpr const char* kStarting = "启动中\r\n请稍后";

int ControlId(const char* name) {
    hs::ui::Window layout(hs::app::MainWindowLayout());
    return kControlIdBase + layout.Find(name).Index();
}

// The settings file of the real layer holds the remembered upstream for the test and
// is put back as it was afterwards.
class SettingsFileScope {
  public:
    SettingsFileScope() {
        std::string bytes;
        if (host_.host().files->Read(hs::settings::kSettingsPath, bytes) == hs::FileRead::Ok)
            saved_ = bytes;
        Remove();
    }
    ~SettingsFileScope() {
        Remove();
        if (saved_)
            host_.host().files->Write(hs::settings::kSettingsPath, *saved_);
    }
    SettingsFileScope(const SettingsFileScope&) = delete;
    SettingsFileScope& operator=(const SettingsFileScope&) = delete;

    bool Write(const char* section, const char* key, const char* value) {
        return hs::settings::WriteSetting(host_.host(), section, key, value);
    }

  private:
    static void Remove() { DeleteFileW(hs::win::Widen(hs::settings::kSettingsPath).c_str()); }

    hs::win::WindowsHost host_;
    std::optional<std::string> saved_;
};

// The top-level windows of a process.
struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId)
        search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible message box of the process with this caption, or nullptr.
HWND MessageBoxOf(DWORD processId, const std::string& caption) {
    for (HWND hwnd : TopLevelWindows(processId)) {
        if (ClassOf(hwnd) == "#32770" && IsWindowVisible(hwnd) && TextOf(hwnd) == caption)
            return hwnd;
    }
    return nullptr;
}

// The longest static text of a message box: its message.
std::string MessageText(HWND box) {
    std::string longest;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = TextOf(child);
        if (ClassOf(child) == "Static" && text.size() > longest.size())
            longest = text;
    }
    return longest;
}

// The program, started without --simulate; ended when the test is over, whatever
// happened: its message boxes are answered, its window closed, and only when it does
// not end after that is it killed.
class RealProgram {
  public:
    bool Start(const std::wstring& arguments) {
        const std::wstring exe = hs::win::Widen(HS_PROGRAM_EXE);
        std::wstring line = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info_)) {
            return false;
        }
        CloseHandle(info_.hThread);
        return true;
    }
    ~RealProgram() {
        if (info_.hProcess == nullptr)
            return;
        if (!End()) {
            ADD_FAILURE() << "the program did not end after WM_CLOSE";
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 10000);
        }
        CloseHandle(info_.hProcess);
    }
    RealProgram() = default;
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

    // Closes the message boxes and the main window; true when the process ended.
    bool End() {
        for (int round = 0; round < 3 && Running(); ++round) {
            for (HWND hwnd : TopLevelWindows(Id())) {
                if (ClassOf(hwnd) == "#32770")
                    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
            }
            for (HWND hwnd : TopLevelWindows(Id())) {
                if (TextOf(hwnd) == hs::app::kProgramTitle)
                    PostMessageW(hwnd, WM_CLOSE, 0, 0);
            }
            WaitForSingleObject(info_.hProcess, 10000);
        }
        return !Running();
    }

  private:
    PROCESS_INFORMATION info_{};
};

// The window's pixels as they are on the screen.
std::vector<uint32_t> Capture(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (dib != nullptr) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels.assign(p, p + static_cast<size_t>(w) * static_cast<size_t>(h));
        SelectObject(memory, old);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A control's text as the control itself reports it. GetWindowText of another
// process's window reads only the stored caption, which a combo box leaves empty.
std::string AskedText(HWND hwnd) {
    wchar_t buffer[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                        &copied);
    return hs::win::Narrow(buffer);
}

size_t Colours(const std::vector<uint32_t>& pixels) {
    return std::set<uint32_t>(pixels.begin(), pixels.end()).size();
}

TEST(UiRealLayer, AStartWithoutConnectionSharingTellsTheUserAndLeavesTheHotspotRunning) {
    const std::wstring title = hs::win::Widen(hs::app::kProgramTitle);
    ASSERT_EQ(FindWindowW(nullptr, title.c_str()), nullptr)
        << "another instance of the program runs in this Wine prefix";

    // The remembered upstream, so the start does not stop at an empty one; monitoring
    // off, so no client-list pass runs during the test.
    SettingsFileScope settingsFile;
    ASSERT_TRUE(settingsFile.Write("xzk2", "xz", "1"));
    ASSERT_TRUE(settingsFile.Write("kdmc", "kdmc", "本地连接"));
    ASSERT_TRUE(settingsFile.Write("monitor", "monitor", "不监控"));

    RealProgram program;
    // Port 1 on loopback is closed: the update check, the announcement and the
    // statistics page are refused at once.
    ASSERT_TRUE(program.Start(L"--update-host=127.0.0.1:1"));
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            window = FindWindowW(nullptr, title.c_str());
            return window != nullptr || !program.Running();
        },
        60000));
    ASSERT_NE(window, nullptr) << "the program ended without a window";
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    ASSERT_EQ(owner, program.Id());

    HWND start = GetDlgItem(window, ControlId("按钮开始"));
    HWND status = GetDlgItem(window, ControlId("图片框状态"));
    HWND upstream = GetDlgItem(window, ControlId("组合框1"));
    HWND state = GetDlgItem(window, ControlId("标签9"));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(status, nullptr);
    ASSERT_EQ(ClassOf(start), "Button");

    // The preparation may already be over: whichever caption shows, the button is
    // disabled exactly while it says to wait.
    const std::string first = TextOf(start);
    if (first == kInitialising) {
        EXPECT_FALSE(IsWindowEnabled(start));
    } else {
        EXPECT_EQ(first, "开启共享");
    }
    ASSERT_TRUE(PumpUntil(
        [&] { return TextOf(start) == "开启共享" && IsWindowEnabled(start) != FALSE; }, 60000))
        << "button: " << TextOf(start);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(AskedText(upstream), "本地连接");  // the remembered choice, read as GBK
    EXPECT_EQ(TextOf(state), "未启动");
    // No message during the preparation: the refused update check and announcement
    // are silent, and the services are left as they are.
    EXPECT_EQ(MessageBoxOf(program.Id(), "提示"), nullptr);

    PumpFor(300);  // the window has painted
    const std::vector<uint32_t> idle = Capture(status);
    ASSERT_GT(Colours(idle), 1u) << "the screen could not be read";

    // The user presses the button: it says to wait while the status picture animates.
    PostMessageW(start, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return TextOf(start) == kStarting; }, 10000))
        << "button: " << TextOf(start);
    EXPECT_FALSE(IsWindowEnabled(start));
    std::set<std::vector<uint32_t>> frames;
    const ULONGLONG startingSince = GetTickCount64();
    while (TextOf(start) == kStarting && GetTickCount64() - startingSince < 60000) {
        const std::vector<uint32_t> frame = Capture(status);
        if (TextOf(start) == kStarting)  // still the starting state when captured
            frames.insert(frame);
        PumpFor(150);
    }

    // Wine's netsh prints nothing, so the hosted network counts as started: the
    // running state, then a message that sharing could not be switched on.
    ASSERT_TRUE(PumpUntil(
        [&] { return TextOf(start) == "关闭共享" && IsWindowEnabled(start) != FALSE; }, 60000))
        << "button: " << TextOf(start);
    // The window thread applies each change as it comes: the label follows shortly.
    EXPECT_TRUE(PumpUntil([&] { return TextOf(state) == "已启动"; })) << TextOf(state);
    HWND box = nullptr;
    ASSERT_TRUE(
        PumpUntil([&] { return (box = MessageBoxOf(program.Id(), "提示")) != nullptr; }, 30000))
        << "no message that sharing failed";
    EXPECT_EQ(MessageText(box), hs::hotspot::kSharingFailedText);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindow(box) == FALSE; }, 10000));

    // The hotspot stays on and can be stopped: the window and its button are usable
    // after the message.
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_EQ(TextOf(start), "关闭共享");
    EXPECT_TRUE(IsWindowEnabled(start));
    HWND name = GetDlgItem(window, ControlId("编辑框名称"));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(name) == FALSE; }));
    // Besides the idle and the running picture, the start showed at least two frames
    // of its own.
    PumpFor(300);
    frames.erase(idle);
    frames.erase(Capture(status));
    EXPECT_GE(frames.size(), 2u) << "the status picture did not animate while starting";

    // Stopping brings the idle window back, picture included.
    PostMessageW(start, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil(
        [&] { return TextOf(start) == "开启共享" && IsWindowEnabled(start) != FALSE; }, 30000))
        << "button: " << TextOf(start);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(state) == "未启动"; })) << TextOf(state);
    EXPECT_TRUE(PumpUntil([&] { return Capture(status) == idle; }));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(name) != FALSE; }));

    // Closing the window ends the program.
    EXPECT_TRUE(program.End());
}

}  // namespace
