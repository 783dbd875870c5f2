// The Win32 front end against a window with one control of every kind: the HWNDs it
// builds, model changes reaching them (also from other threads), and user input
// reaching the model before the handler runs.
#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/layout.h"
#include "platform/windows/ui/front_end.h"
#include "platform/windows/ui/view.h"
#include "sys/dpi.h"
#include "tests/windows/ui_test_support.h"
#include "ui/model.h"

namespace {

using hs::ui::Control;
using hs::ui::ControlSpec;
using hs::ui::Event;
using hs::ui::EventArgs;
using hs::ui::Kind;
using hs::win::test::ClassOf;
using hs::win::test::PumpFor;
using hs::win::test::PumpUntil;
using hs::win::test::TextOf;

ControlSpec Spec(std::string name, Kind kind, std::string caption, int left, int top, int width,
                 int height) {
    ControlSpec s;
    s.name = std::move(name);
    s.kind = kind;
    s.caption = std::move(caption);
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    s.font = "Verdana";
    return s;
}

std::vector<ControlSpec> EveryKind() {
    std::vector<ControlSpec> rows;
    rows.push_back(Spec("测试窗口", Kind::Window, "每种控件", 60, 60, 520, 420));
    rows.push_back(Spec("标签", Kind::Label, "标签文字", 10, 10, 90, 16));
    rows.push_back(Spec("透明标签", Kind::TransparentLabel, "透明", 110, 10, 60, 16));
    ControlSpec password = Spec("编辑框密码", Kind::Edit, "5802741639", 10, 30, 120, 22);
    password.inputMode = hs::ui::kPasswordInput;
    rows.push_back(password);
    ControlSpec button = Spec("按钮开始", Kind::Button, "初始化中\r\n请稍后", 140, 30, 86, 42);
    button.disabled = true;
    rows.push_back(button);
    rows.push_back(Spec("选择框1", Kind::CheckBox, "显示密码", 10, 56, 90, 16));
    rows.push_back(Spec("单选1", Kind::Radio, "监控用户", 240, 10, 80, 16));
    rows.push_back(Spec("单选2", Kind::Radio, "不监控", 330, 10, 80, 16));
    rows.push_back(Spec("组合框1", Kind::Combo, "", 240, 30, 140, 20));
    ControlSpec slider = Spec("滑块条色调", Kind::Slider, "", 10, 80, 345, 40);
    slider.maximum = 340;
    rows.push_back(slider);
    rows.push_back(Spec("分组框1", Kind::GroupBox, "皮肤调色", 10, 130, 240, 70));
    ControlSpec inGroup = Spec("组内标签", Kind::Label, "组内", 10, 24, 60, 16);
    inGroup.container = "分组框1";
    rows.push_back(inGroup);
    rows.push_back(Spec("图片框状态", Kind::Picture, "", 260, 130, 40, 32));
    ControlSpec list = Spec("超级列表框2", Kind::ReportList, "", 10, 210, 300, 80);
    list.columns = {{"", 0}, {"硬件地址mac", 140}, {"设备名称", 140}};
    rows.push_back(list);
    ControlSpec tab = Spec("选择夹1", Kind::Tab, "", 320, 130, 190, 160);
    tab.pages = {"主界面", "管理用户"};
    rows.push_back(tab);
    ControlSpec page0 = Spec("页0标签", Kind::Label, "第一页", 10, 30, 80, 16);
    page0.container = "选择夹1";
    page0.page = 0;
    rows.push_back(page0);
    ControlSpec page1 = Spec("页1编辑框", Kind::Edit, "第二页", 10, 30, 80, 20);
    page1.container = "选择夹1";
    page1.page = 1;
    rows.push_back(page1);
    ControlSpec hidden = Spec("隐藏标签", Kind::Label, "看不见", 10, 300, 80, 16);
    hidden.hidden = true;
    rows.push_back(hidden);
    rows.push_back(Spec("时钟状态", Kind::Timer, "", 0, 0, 0, 0));
    rows.push_back(Spec("简单超文本框1", Kind::HyperText, "", 10, 320, 300, 60));
    rows.push_back(Spec("气球提示框1", Kind::Balloon, "", 0, 0, 0, 0));
    ControlSpec menu = Spec("菜单", Kind::PopupMenu, "", 0, 0, 0, 0);
    menu.hidden = true;
    rows.push_back(menu);
    for (const char* item : {"显示界面", "退出"}) {
        ControlSpec s = Spec(item, Kind::MenuItem, item, 0, 0, 0, 0);
        s.container = "菜单";
        rows.push_back(s);
    }
    return rows;
}

class UiFrontEnd : public ::testing::Test {
  protected:
    UiFrontEnd() : window(EveryKind()) {
        hs::win::ui::WindowOptions options;
        options.messageBoxes = false;
        frontEnd.Create(window, options);
        hwnd = frontEnd.WindowHandle(window);
    }
    HWND H(const char* name) { return frontEnd.ControlHandle(window, name); }
    void Command(const char* name, UINT code) {
        HWND control = H(name);
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    }

    hs::ui::Window window;
    hs::win::ui::FrontEnd frontEnd;
    HWND hwnd = nullptr;
};

TEST_F(UiFrontEnd, BuildsEveryControlKindWithItsClassTextAndState) {
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(TextOf(hwnd), "每种控件");
    EXPECT_TRUE(IsWindowVisible(hwnd));
    const std::pair<const char*, const char*> classes[] = {{"标签", "Static"},
                                                           {"透明标签", "Static"},
                                                           {"编辑框密码", "Edit"},
                                                           {"按钮开始", "Button"},
                                                           {"选择框1", "Button"},
                                                           {"单选1", "Button"},
                                                           {"组合框1", "ComboBox"},
                                                           {"滑块条色调", "msctls_trackbar32"},
                                                           {"分组框1", "Button"},
                                                           {"图片框状态", "HsPictureBox"},
                                                           {"超级列表框2", "SysListView32"},
                                                           {"选择夹1", "SysTabControl32"},
                                                           {"简单超文本框1", "SysLink"}};
    for (const auto& [name, cls] : classes) {
        ASSERT_NE(H(name), nullptr) << name;
        EXPECT_STREQ(ClassOf(H(name)).c_str(), cls) << name;
    }
    // Timers, balloons, menus and menu items have no window of their own.
    EXPECT_EQ(H("时钟状态"), nullptr);
    EXPECT_EQ(H("菜单"), nullptr);
    EXPECT_EQ(H("显示界面"), nullptr);

    EXPECT_EQ(TextOf(H("按钮开始")), "初始化中\r\n请稍后");
    EXPECT_TRUE(GetWindowLongW(H("按钮开始"), GWL_STYLE) & BS_MULTILINE);
    EXPECT_FALSE(IsWindowEnabled(H("按钮开始")));
    EXPECT_TRUE(IsWindowEnabled(H("选择框1")));
    EXPECT_FALSE(IsWindowVisible(H("隐藏标签")));
    EXPECT_TRUE(IsWindowVisible(H("标签")));
    EXPECT_EQ(SendMessageW(H("滑块条色调"), TBM_GETRANGEMAX, 0, 0), 340);
    EXPECT_EQ(SendMessageW(H("选择夹1"), TCM_GETITEMCOUNT, 0, 0), 2);

    // A control in a group box is placed relative to the group box.
    RECT group, inside;
    GetWindowRect(H("分组框1"), &group);
    GetWindowRect(H("组内标签"), &inside);
    EXPECT_EQ(inside.left - group.left, 10);
    EXPECT_EQ(inside.top - group.top, 24);

    // Report lists: headers, whole-row selection, the zero-width first column.
    HWND list = H("超级列表框2");
    EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 140);
}

TEST_F(UiFrontEnd, PasswordModeMasksWithAStarAndSwitchesAtRunTime) {
    HWND edit = H("编辑框密码");
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
    window["编辑框密码"].SetInputMode(hs::ui::kPlainInput);
    frontEnd.Flush();
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
    window["编辑框密码"].SetInputMode(hs::ui::kPasswordInput);
    frontEnd.Flush();
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
}

TEST_F(UiFrontEnd, TabPagesShowOnlyTheirOwnControls) {
    EXPECT_TRUE(IsWindowVisible(H("页0标签")));
    EXPECT_FALSE(IsWindowVisible(H("页1编辑框")));
    int seenPage = -1, modelPageInHandler = -1;
    window.Bind("选择夹1", Event::PageChanged, [&](const EventArgs& args) {
        seenPage = args.code;
        modelPageInHandler = window["选择夹1"].Position();
    });
    // The user picks the second tab.
    HWND tab = H("选择夹1");
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    NMHDR header{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(hwnd, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(seenPage, 1);
    EXPECT_EQ(modelPageInHandler, 1);
    EXPECT_FALSE(IsWindowVisible(H("页0标签")));
    EXPECT_TRUE(IsWindowVisible(H("页1编辑框")));
    // The program switches back.
    window["选择夹1"].SetPosition(0);
    frontEnd.Flush();
    EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(H("页0标签")));
    EXPECT_FALSE(IsWindowVisible(H("页1编辑框")));
}

TEST_F(UiFrontEnd, ChangesFromAWorkerThreadArePostedToTheWindowThread) {
    // The worker never waits for the window thread: a cross-thread SendMessage would
    // hang here, since this thread does not pump while it joins.
    std::thread worker([this] {
        window["标签"].SetText("来自线程");
        window["选择框1"].SetChecked(true);
        window["滑块条色调"].SetPosition(200);
        window["按钮开始"].SetEnabled(true);
        window["按钮开始"].SetText("开启共享");
        window["隐藏标签"].SetVisible(true);
        window.Self().SetText("新标题");
    });
    worker.join();
    EXPECT_EQ(TextOf(H("标签")), "标签文字");  // not applied until the window thread runs
    ASSERT_TRUE(PumpUntil([&] { return TextOf(H("标签")) == "来自线程"; }));
    EXPECT_EQ(SendMessageW(H("选择框1"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(H("滑块条色调"), TBM_GETPOS, 0, 0), 200);
    EXPECT_TRUE(IsWindowEnabled(H("按钮开始")));
    EXPECT_EQ(TextOf(H("按钮开始")), "开启共享");
    EXPECT_TRUE(IsWindowVisible(H("隐藏标签")));
    EXPECT_EQ(TextOf(hwnd), "新标题");
}

TEST_F(UiFrontEnd, UserInputReachesTheModelBeforeTheHandler) {
    // Checkbox.
    bool checkedInHandler = false;
    window.Bind("选择框1", Event::Clicked,
                [&](const EventArgs&) { checkedInHandler = window["选择框1"].Checked(); });
    SendMessageW(H("选择框1"), BM_CLICK, 0, 0);
    EXPECT_TRUE(window["选择框1"].Checked());
    EXPECT_TRUE(checkedInHandler);

    // Edit box: typing, then leaving the box. The front end's own write-back does
    // not echo: one text change per user change.
    int textChanges = 0;
    const int observer = window.AddObserver([&](Control c, hs::ui::Property p) {
        if (c.Name() == "编辑框密码" && p == hs::ui::Property::Text)
            ++textChanges;
    });
    std::string textWhenLeft;
    window.Bind("编辑框密码", Event::FocusLost,
                [&](const EventArgs&) { textWhenLeft = window["编辑框密码"].Text(); });
    SetWindowTextW(H("编辑框密码"), L"新密码12345");
    EXPECT_EQ(window["编辑框密码"].Text(), "新密码12345");
    PumpFor(100);
    EXPECT_EQ(textChanges, 1);
    EXPECT_EQ(TextOf(H("编辑框密码")), "新密码12345");
    Command("编辑框密码", EN_KILLFOCUS);
    EXPECT_EQ(textWhenLeft, "新密码12345");
    window.RemoveObserver(observer);

    // Slider.
    int movedTo = -1, positionInHandler = -1;
    window.Bind("滑块条色调", Event::PositionChanged, [&](const EventArgs& args) {
        movedTo = args.code;
        positionInHandler = window["滑块条色调"].Position();
    });
    HWND slider = H("滑块条色调");
    SendMessageW(slider, TBM_SETPOS, TRUE, 123);
    SendMessageW(hwnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 123),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(movedTo, 123);
    EXPECT_EQ(positionInHandler, 123);

    // Radio buttons of one container form one group.
    window["单选1"].SetChecked(true);
    frontEnd.Flush();
    SendMessageW(H("单选2"), BM_CLICK, 0, 0);
    EXPECT_TRUE(window["单选2"].Checked());
    EXPECT_FALSE(window["单选1"].Checked());
    EXPECT_EQ(SendMessageW(H("单选1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(H("单选2"), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Combo box: the chosen item becomes position and text.
    window["组合框1"].SetItems({"宽带连接", "本地连接"});
    frontEnd.Flush();
    SendMessageW(H("组合框1"), CB_SETCURSEL, 1, 0);
    Command("组合框1", CBN_SELCHANGE);
    EXPECT_EQ(window["组合框1"].Position(), 1);
    EXPECT_EQ(window["组合框1"].Text(), "本地连接");
}

TEST_F(UiFrontEnd, ReportListMirrorsRowsAndSelectionBothWays) {
    Control list = window["超级列表框2"];
    for (const char* mac : {"00-11-22-33-44-55", "66-77-88-99-AA-BB"}) {
        const int row = list.InsertRow();
        list.SetCell(row, 1, mac);
        list.SetCell(row, 2, "手机");
    }
    frontEnd.Flush();
    HWND h = H("超级列表框2");
    ASSERT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 2);
    wchar_t buffer[64] = {};
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(h, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, L"66-77-88-99-AA-BB");

    // The user selects row 1.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(h, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(list.RowSelected(1));
    // The user right-clicks it.
    int rightClicked = -1;
    window.Bind("超级列表框2", Event::RowRightClicked,
                [&](const EventArgs& args) { rightClicked = args.code; });
    NMITEMACTIVATE click{};
    click.hdr = {h, static_cast<UINT_PTR>(GetDlgCtrlID(h)), static_cast<UINT>(NM_RCLICK)};
    click.iItem = 1;
    SendMessageW(hwnd, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(rightClicked, 1);

    // The program deletes the first row and selects what is left.
    list.DeleteRow(0);
    list.SelectRow(0, true);
    frontEnd.Flush();
    ASSERT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 1);
    SendMessageW(h, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, L"66-77-88-99-AA-BB");
    EXPECT_EQ(SendMessageW(h, LVM_GETITEMSTATE, 0, LVIS_SELECTED), LVIS_SELECTED);
}

TEST_F(UiFrontEnd, TimersTickOnTheWindowThreadUntilStopped) {
    std::atomic<int> ticks{0};
    DWORD tickThread = 0;
    window.Bind("时钟状态", Event::Tick, [&](const EventArgs&) {
        tickThread = GetCurrentThreadId();
        ++ticks;
    });
    std::thread([this] { window["时钟状态"].SetInterval(20); }).join();
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(tickThread, GetCurrentThreadId());
    window["时钟状态"].SetInterval(0);
    frontEnd.Flush();
    const int stoppedAt = ticks;
    PumpFor(300);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(UiFrontEnd, BalloonShowsItsLinksAndReportsTheClickedMessage) {
    std::string clicked;
    window.Bind("气球提示框1", Event::LinkClicked, [&](const EventArgs& a) { clicked = a.text; });
    window["气球提示框1"].ShowBalloon(
        "<a msg=m7><font size=10pt>   显示主界面   </font></a></br>\r\n"
        "<a msg=m8><font size=10pt>   隐藏流量条   </font></a>",
        200, 200);
    ASSERT_TRUE(PumpUntil([&] { return frontEnd.BalloonHandle(window) != nullptr; }));
    HWND balloon = frontEnd.BalloonHandle(window);
    HWND link = FindWindowExW(balloon, nullptr, L"SysLink", nullptr);
    ASSERT_NE(link, nullptr);
    EXPECT_NE(TextOf(link).find("显示主界面"), std::string::npos);
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_URL;
    item.iLink = 1;
    ASSERT_TRUE(SendMessageW(link, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(item.szUrl, L"m8");
    // The user clicks the second link.
    NMLINK notify{};
    notify.hdr = {link, static_cast<UINT_PTR>(GetDlgCtrlID(link)), static_cast<UINT>(NM_CLICK)};
    notify.item = item;
    SendMessageW(balloon, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    EXPECT_EQ(clicked, "m8");
    EXPECT_FALSE(window["气球提示框1"].BalloonShown());
    EXPECT_TRUE(PumpUntil([&] { return frontEnd.BalloonHandle(window) == nullptr; }));
}

TEST_F(UiFrontEnd, ABalloonGoesOnAClickOnTheWindowAndByItselfAfterTenSeconds) {
    auto show = [&] {
        window["气球提示框1"].ShowBalloon("您还没有输入密码哦！", 200, 200);
        return PumpUntil([&] { return frontEnd.BalloonHandle(window) != nullptr; });
    };
    // A click on one of the window's controls (the system tells the window of it).
    ASSERT_TRUE(show());
    SendMessageW(frontEnd.WindowHandle(window), WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(5, 5));
    EXPECT_FALSE(window["气球提示框1"].BalloonShown());
    EXPECT_TRUE(PumpUntil([&] { return frontEnd.BalloonHandle(window) == nullptr; }));
    // Left alone, and never given the focus (as for a program in the background).
    ASSERT_TRUE(show());
    PumpFor(8000);
    EXPECT_TRUE(window["气球提示框1"].BalloonShown());
    EXPECT_TRUE(PumpUntil([&] { return !window["气球提示框1"].BalloonShown(); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return frontEnd.BalloonHandle(window) == nullptr; }));
}

TEST_F(UiFrontEnd, HypertextBoxShowsTheDocumentWithItsLinks) {
    window["简单超文本框1"].SetDocument(
        "<h1>帮助</h1><p>第一段 &amp; 更多</p><p><a href=\"http://127.0.0.1/\">主页</a></p>");
    frontEnd.Flush();
    HWND h = H("简单超文本框1");
    EXPECT_NE(TextOf(h).find("帮助"), std::string::npos);
    EXPECT_NE(TextOf(h).find("第一段 & 更多"), std::string::npos);
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_URL;
    item.iLink = 0;
    ASSERT_TRUE(SendMessageW(h, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(item.szUrl, L"http://127.0.0.1/");
}

TEST_F(UiFrontEnd, GroupBoxCaptionIsDrawnInItsTitleColour) {
    auto redPixels = [&] {
        HWND group = H("分组框1");
        RedrawWindow(group, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(group);
        int red = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 100; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                if (GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80)
                    ++red;
            }
        }
        ReleaseDC(group, dc);
        return red;
    };
    PumpFor(50);
    EXPECT_EQ(redPixels(), 0);
    window["分组框1"].SetTitleColour({255, 0, 0});
    frontEnd.Flush();
    EXPECT_GT(redPixels(), 5);
}

TEST_F(UiFrontEnd, NotificationIconMouseActionsBecomeTrayEventCodes) {
    std::vector<int> codes;
    window.Bind("测试窗口", Event::TrayEvent, [&](const EventArgs& a) { codes.push_back(a.code); });
    for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MOUSEMOVE}) {
        SendMessageW(hwnd, hs::win::ui::kMsgTray, 1, mouse);
    }
    EXPECT_EQ(codes, (std::vector<int>{1, 2, 3}));
}

// Chooses the second item of the open popup menu with the keyboard.
void CALLBACK ChooseSecondItem(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND menu = FindWindowW(L"#32768", nullptr);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    }
}

TEST_F(UiFrontEnd, PopupMenuDispatchesTheChosenItem) {
    std::string chosen;
    for (const char* item : {"显示界面", "退出"}) {
        window.Bind(item, Event::ItemChosen, [&chosen, item](const EventArgs&) { chosen = item; });
    }
    SetTimer(nullptr, 0, 300, ChooseSecondItem);
    window["菜单"].Popup();
    ASSERT_TRUE(PumpUntil([&] { return !chosen.empty(); }, 10000));
    EXPECT_EQ(chosen, "退出");
}

// The main window through the real front end at 100, 125 and 150 %: every control a
// page shows lies inside the window's client area (the blacklist's group only once
// page "管理用户" grows the window), and captions are drawn in a font of the scaled
// height.
class UiFrontEndAtDpi : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(Dpi, UiFrontEndAtDpi, ::testing::Values(96, 120, 144));

TEST_P(UiFrontEndAtDpi, EveryShownControlOfEveryPageIsInsideTheClientArea) {
    const int dpi = GetParam();
    hs::ui::Window window(hs::app::MainWindowLayout(), dpi);
    hs::win::ui::FrontEnd frontEnd;
    hs::win::ui::WindowOptions options;
    options.messageBoxes = false;
    frontEnd.Create(window, options);
    HWND hwnd = frontEnd.WindowHandle(window);
    ASSERT_NE(hwnd, nullptr);
    RECT client;
    GetClientRect(hwnd, &client);
    const int slack = window.Scaled(4);
    int checked = 0;
    for (int page = 0; page < 5; ++page) {
        window["选择夹1"].SetPosition(page);
        frontEnd.Flush();
        for (int i = 1; i < window.ControlCount(); ++i) {
            const ControlSpec& spec = window.Spec(i);
            HWND control = frontEnd.ControlHandle(window, spec.name);
            if (!control || (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) == 0 ||
                spec.kind == Kind::Tab || spec.name == "分组框3" || spec.container == "分组框3")
                continue;
            RECT rc;
            GetWindowRect(control, &rc);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rc), 2);
            SCOPED_TRACE(spec.name + " on page " + std::to_string(page) + " at " +
                         std::to_string(dpi));
            EXPECT_GE(rc.left, 0);
            EXPECT_GE(rc.top, 0);
            EXPECT_LE(rc.right, client.right + slack);
            EXPECT_LE(rc.bottom, client.bottom + slack);
            ++checked;
        }
    }
    EXPECT_GT(checked, 30);
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(
                             frontEnd.ControlHandle(window, "标签1"), WM_GETFONT, 0, 0)),
                         sizeof font, &font),
              0);
    // 9 points: 12 pixels at 96 DPI.
    EXPECT_EQ(font.lfHeight, -hs::ScaleToDpi(12, dpi));
}

}  // namespace
