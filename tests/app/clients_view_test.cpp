// Page "管理用户" on the simulated laptop: the refresh timer fills the client list, the
// popup menus move devices into the blacklist and out again, the name editor renames
// the device that was double-clicked, the monitor switch stops and restarts the list,
// and a notice tells of devices that joined.
#include "app/clients_view.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "app/exit.h"
#include "clients/data_file.h"
#include "settings/keys.h"
#include "tests/fixture.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kAndroid = "a4-5e-60-c1-22-33";
constexpr const char* kIphone = "3c-15-c2-9a-8b-01";
constexpr const char* kSilent = "f0-db-e2-44-10-7e";

const Rows kThreePhones = {{"1", "192.168.137.23", kAndroid, "安卓设备"},
                           {"2", "192.168.137.61", kIphone, "苹果设备"},
                           {"3", "192.168.137.140", kSilent, "未知设备"}};

std::string Block(const std::string& ip) {
    return "netsh interface ipv4 set neighbors 26 \"" + ip +
           "\" \"00-00-00-00-00-00\" store=active";
}

struct ClientsProgram : Program {
    explicit ClientsProgram(const std::string& scenario = sim::SimulatedLaptop::DefaultScenario())
        : Program(scenario) {
        Idle(5, "无线网络连接");
        C("单选框监控").SetChecked(true);
        app->Main().AddObserver([this](ui::Control control, ui::Property property) {
            if (property == ui::Property::Popup)
                popups.push_back(control.Name());
            if (property == ui::Property::TrayBalloon)
                notices.push_back(control.Owner().TrayBalloonText());
            if (property == ui::Property::Balloon)
                balloons.push_back(control.Document());
        });
    }

    // Sharing up, and the phones of the scenario joined a minute later.
    void StartAndWait() {
        PressStart();
        ASSERT_TRUE(Session().sharingCompleted);
        ASSERT_EQ(C("时钟循环列表").Interval(), 10000);
        clock.Advance(60000);
    }
    // Ten seconds of the window's timers: one tick of the refresh timer starts a pass,
    // whose results are applied.
    void Tick() {
        const size_t mark = Commands().size();
        StartPass();
        app->Settle();
        ASSERT_TRUE(Ran("arp -a", mark));
    }
    // The tick alone: its pass runs on, its results not applied yet.
    void StartPass() {
        ASSERT_EQ(C("时钟循环列表").Interval(), 10000);
        driver->AdvanceTimers(10000);
    }
    Rows List() { return C("超级列表框1").Rows(); }
    Rows Blacklist() { return C("超级列表框2").Rows(); }
    // The file's text as UTF-8.
    std::string File(const char* path) {
        std::string bytes;
        EXPECT_EQ(host.files->Read(path, bytes), FileRead::Ok);
        return host.codec->GbkToUtf8(bytes);
    }
    bool Ran(const std::string& command, size_t since = 0) {
        const std::vector<std::string> all = CommandsSince(since);
        return std::find(all.begin(), all.end(), command) != all.end();
    }
    std::string Setting(const settings::SettingKey& key) {
        return settings::ReadSetting(host, key);
    }

    // Right-clicks row `row` of a list whose selection is `selected`, as a right
    // click on one of several selected rows leaves them selected.
    void RightClickSelected(const char* list, const std::vector<int>& selected, int row) {
        ui::Control control = C(list);
        control.SelectRow(-1, false);
        for (int r : selected)
            control.SelectRow(r, true);
        ASSERT_TRUE(app->Main().Dispatch(list, ui::Event::RowRightClicked, ui::EventArgs{row, {}}));
    }

    std::vector<std::string> popups;
    std::vector<std::string> notices;
    std::vector<std::string> balloons;
};

TEST(ClientsView, ATickListsTheThreePhonesWithNamesAndCountsThem) {
    ClientsProgram p;
    p.StartAndWait();
    EXPECT_TRUE(p.List().empty());
    p.Tick();
    EXPECT_EQ(p.List(), kThreePhones);
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[3]");
    // The three joined since no pass had seen them: one notice counts them.
    EXPECT_EQ(p.notices, (std::vector<std::string>{"3 台新设备连上了热点"}));

    // The next pass rebuilds the same list; nobody is new.
    p.Tick();
    EXPECT_EQ(p.List(), kThreePhones);
    EXPECT_EQ(p.notices.size(), 1u);
}

TEST(ClientsView, ABlacklistedPhoneLeavesTheListAndStaysAwayUntilReleased) {
    ClientsProgram p;
    p.StartAndWait();
    p.Tick();
    ASSERT_EQ(p.List().size(), 3u);

    // A right click on the empty area pops up nothing; on a row the driver selects it.
    EXPECT_TRUE(p.driver->RightClickRow("超级列表框1", -1));
    EXPECT_TRUE(p.popups.empty());
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    EXPECT_EQ(p.popups, (std::vector<std::string>{"加黑"}));
    // A pass lands while the menu is open and rebuilds the list, clearing the selection:
    // the menu still acts on the phone it was opened on.
    p.Tick();
    ASSERT_TRUE(p.C("超级列表框1").SelectedRows().empty());
    size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.CommandsSince(mark), (std::vector<std::string>{Block("192.168.137.23")}));
    EXPECT_EQ(p.List(), (Rows{kThreePhones[1], kThreePhones[2]}));
    EXPECT_EQ(p.Blacklist(), (Rows{{"192.168.137.23", kAndroid, "安卓设备"}}));
    EXPECT_EQ(p.File(clients::kBlacklistPath), std::string(kAndroid) + "+安卓设备\r\n");

    // Later passes list the other two only, renumbered.
    for (int pass = 0; pass < 3; ++pass) {
        p.Tick();
        EXPECT_EQ(p.List(), (Rows{{"1", "192.168.137.61", kIphone, "苹果设备"},
                                  {"2", "192.168.137.140", kSilent, "未知设备"}}));
    }

    // Releasing: the menu pops up on the selected entry, the line goes, then every
    // all-zero entry is deleted with a 1500 ms pause after each, on the release worker.
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框2", 0));
    EXPECT_EQ(p.popups.back(), "取消黑");
    mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    EXPECT_TRUE(p.Blacklist().empty());
    EXPECT_EQ(p.File(clients::kBlacklistPath), "");
    EXPECT_EQ(p.CommandsSince(mark), (std::vector<std::string>{"arp -a", "arp -d 192.168.137.23"}));
    EXPECT_EQ(p.Pauses(), (std::vector<int64_t>{1500}));

    // Released, the phone is listed again once it shows its real address.
    p.clock.Advance(60000);
    p.Tick();
    EXPECT_EQ(p.List().size(), 3u);
}

TEST(ClientsView, SeveralSelectedRowsAreAllBlockedAtOnceAndSaved) {
    ClientsProgram p;
    p.StartAndWait();
    p.Tick();
    ASSERT_EQ(p.List(), kThreePhones);
    // The Android phone and the silent device.
    p.RightClickSelected("超级列表框1", {0, 2}, 2);
    size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.CommandsSince(mark),
              (std::vector<std::string>{Block("192.168.137.23"), Block("192.168.137.140")}));
    EXPECT_EQ(p.List(), (Rows{kThreePhones[1]}));
    EXPECT_EQ(p.File(clients::kBlacklistPath),
              std::string(kAndroid) + "+安卓设备\r\n" + kSilent + "+未知设备\r\n");
    // Both are cut off already: the next pass has nobody to block.
    mark = p.Mark();
    p.Tick();
    EXPECT_EQ(p.List(), (Rows{{"1", "192.168.137.61", kIphone, "苹果设备"}}));
    EXPECT_EQ(p.CommandsSince(mark),
              (std::vector<std::string>{"arp -a", "netsh wlan show hostednetwork"}));
}

TEST(ClientsView, TwoRowsOfOneAddressBothGetItsName) {
    ClientsProgram p;
    // The Android phone has a second address in the table.
    std::string arp = hs::testing::Fixture("arp-hotspot-3-clients.txt");
    const std::string first = "  192.168.137.23        a4-5e-60-c1-22-33     动态\r\n";
    arp.insert(arp.find(first) + first.size(),
               "  192.168.137.24        a4-5e-60-c1-22-33     动态\r\n");
    const std::string gbk = p.host.codec->Utf8ToGbk(arp);
    p.laptop->Change([&](sim::LaptopModel& m) { m.replies["arp -a"] = gbk; });
    p.StartAndWait();
    p.Tick();
    ASSERT_EQ(p.List().size(), 4u);
    EXPECT_EQ(p.List()[0], kThreePhones[0]);
    EXPECT_EQ(p.List()[1], (std::vector<std::string>{"2", "192.168.137.24", kAndroid, "安卓设备"}));

    // A rename from either row names both.
    ASSERT_TRUE(p.driver->DoubleClickRow("超级列表框1", 1));
    ASSERT_TRUE(p.driver->Type("编辑框设备", "平板"));
    ASSERT_TRUE(p.driver->Key("编辑框设备", 13));
    EXPECT_EQ(p.List()[0][3], "平板");
    EXPECT_EQ(p.List()[1][3], "平板");

    // Blacklisted from one row, both rows leave the list, both addresses are blocked
    // and the device has one entry.
    const size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.List().size(), 2u);
    EXPECT_EQ(p.CommandsSince(mark),
              (std::vector<std::string>{Block("192.168.137.23"), Block("192.168.137.24")}));
    EXPECT_EQ(p.Blacklist(), (Rows{{"192.168.137.23", kAndroid, "平板"}}));
}

TEST(ClientsView, SeveralSelectedEntriesAreAllReleased) {
    ClientsProgram p;
    p.StartAndWait();
    p.Tick();
    for (int device = 0; device < 3; ++device) {
        ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
        ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
        p.app->Settle();
    }
    ASSERT_EQ(p.File(clients::kBlacklistPath), std::string(kAndroid) + "+安卓设备\r\n" + kIphone +
                                                   "+苹果设备\r\n" + kSilent + "+未知设备\r\n");

    // Releasing the first and the last entry: both lines and both rows go, then every
    // all-zero entry is deleted.
    p.RightClickSelected("超级列表框2", {0, 2}, 0);
    const size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.Blacklist(), (Rows{{"192.168.137.61", kIphone, "苹果设备"}}));
    EXPECT_EQ(p.File(clients::kBlacklistPath), std::string(kIphone) + "+苹果设备\r\n");
    EXPECT_TRUE(p.Ran("arp -d 192.168.137.23", mark));
    EXPECT_TRUE(p.Ran("arp -d 192.168.137.140", mark));
    // Both come back; the one still blacklisted is blocked again.
    p.clock.Advance(60000);
    const size_t next = p.Mark();
    p.Tick();
    EXPECT_EQ(p.List(), (Rows{kThreePhones[0], {"2", "192.168.137.140", kSilent, "未知设备"}}));
    EXPECT_TRUE(p.Ran(Block("192.168.137.61"), next));
}

TEST(ClientsView, ABlacklistFileUnreadableAtStartIsSaidOnceAndNeverOverwritten) {
    ClientsProgram p;
    const std::filesystem::path file = p.files.Locate(clients::kBlacklistPath);
    std::filesystem::create_directory(file);  // there, but it cannot be read
    p.app->Clients().LoadBlacklist();
    EXPECT_TRUE(p.Blacklist().empty());
    ASSERT_EQ(p.balloons.size(), 1u);
    EXPECT_NE(p.balloons[0].find("无法读取黑名单文件"), std::string::npos);

    // It can be read again later, with the lines it always had.
    std::filesystem::remove(file);
    const std::string lines = "00-11-22-33-44-55+旧的\r\n66-77-88-99-aa-bb+";
    ASSERT_TRUE(p.host.files->Write(clients::kBlacklistPath, p.host.codec->Utf8ToGbk(lines)));
    p.StartAndWait();
    p.Tick();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.Blacklist().size(), 2u);
    EXPECT_EQ(p.File(clients::kBlacklistPath),
              lines + "\r\n" + kAndroid + "+安卓设备\r\n" + kIphone + "+苹果设备\r\n");
    // A release takes out its own line only.
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框2", 0));
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.File(clients::kBlacklistPath), lines + "\r\n" + kIphone + "+苹果设备\r\n");
    EXPECT_EQ(p.balloons.size(), 1u);
}

TEST(ClientsView, AnEntryWhoseLineCannotBeToldApartStaysAndABalloonSaysSo) {
    ClientsProgram p;
    // Hand-edited: two addresses with a byte that is not GBK, which show alike.
    const std::string bytes =
        "AA-BB-CC-DD-EE-0\x81+tablet\r\nAA-BB-CC-DD-EE-0\x82+laptop\r\nAA-BB-CC-DD-EE-03+pad";
    ASSERT_TRUE(p.host.files->Write(clients::kBlacklistPath, bytes));
    p.app->Clients().LoadBlacklist();
    ASSERT_EQ(p.Blacklist().size(), 3u);
    p.RightClickSelected("超级列表框2", {0, 2}, 0);
    const size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    // The pad's line and row go; the tablet's both stay.
    std::string stays;
    ASSERT_EQ(p.host.files->Read(clients::kBlacklistPath, stays), FileRead::Ok);
    EXPECT_EQ(stays, "AA-BB-CC-DD-EE-0\x81+tablet\r\nAA-BB-CC-DD-EE-0\x82+laptop");
    ASSERT_EQ(p.Blacklist().size(), 2u);
    EXPECT_EQ(p.Blacklist()[0][2], "tablet");
    ASSERT_EQ(p.balloons.size(), 1u);
    EXPECT_NE(p.balloons[0].find("请手动编辑"), std::string::npos);
    EXPECT_TRUE(p.Ran("arp -a", mark));
}

TEST(ClientsView, EveryCommandOfAStartAStopABlacklistingAReleaseAndAnExitRunsOnAWorker) {
    ClientsProgram p;
    const std::string journal = (p.folder / "journal.txt").string();
    ASSERT_TRUE(p.laptop->KeepJournal(journal));
    p.StartAndWait();
    p.Tick();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框2", 0));
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    p.app->Settle();
    app::ExitProgram(*p.app, 0);
    p.app->Settle();

    // Each entry begins "[T s] {THREAD} COMMAND"; the command's answer follows it.
    std::ifstream in(journal);
    std::set<std::string> threads;
    for (std::string line; std::getline(in, line);) {
        const size_t open = line.find(" s] {");
        if (line.rfind("[", 0) == 0 && open != std::string::npos)
            threads.insert(line.substr(open + 5, line.find('}', open) - open - 5));
    }
    EXPECT_EQ(threads,
              (std::set<std::string>{"start", "pass", "block", "release", "stop", "reset"}));
}

TEST(ClientsView, AReleaseWithNothingSelectedChangesNothing) {
    ClientsProgram p;
    p.StartAndWait();
    p.Tick();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 1));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    const std::string file = p.File(clients::kBlacklistPath);
    p.C("超级列表框2").SelectRow(-1, false);
    const size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.Blacklist().size(), 1u);
    EXPECT_EQ(p.File(clients::kBlacklistPath), file);
    EXPECT_TRUE(p.CommandsSince(mark).empty());
}

TEST(ClientsView, TheEditorRenamesTheDoubleClickedDeviceAfterAPassMovedItsRow) {
    std::string scenario = sim::SimulatedLaptop::DefaultScenario();
    const std::string join = "join=12 down=180k";
    scenario.replace(scenario.find(join), join.size(), "join=12 leave=120 down=180k");
    ClientsProgram p(scenario);
    p.StartAndWait();
    p.Tick();
    ASSERT_EQ(p.List(), kThreePhones);

    // The double click on the second row's name cell: the row at (0, 17) in the list.
    ui::Control list = p.C("超级列表框1");
    list.SelectRow(-1, false);
    list.SelectRow(1, true);
    ui::EventArgs args;
    args.code = 1;
    args.column = 3;
    args.y = 17;
    ASSERT_TRUE(p.app->Main().Dispatch("超级列表框1", ui::Event::DoubleClicked, args));
    ui::Control editor = p.C("编辑框设备");
    EXPECT_TRUE(editor.Visible());
    EXPECT_EQ(editor.Text(), "苹果设备");
    // Over column 3: the list's place in its group, the offsets and the three columns.
    EXPECT_EQ(editor.Left(), 0 + 12 + 20 + 105 + 117);
    EXPECT_EQ(editor.Top(), 26 + 17 + 42);
    EXPECT_EQ(editor.Width(), 102);
    EXPECT_EQ(p.app->Clients().EditedDevice(), kIphone);

    // The Android phone leaves; the next pass puts the iPhone into the first row.
    p.clock.Advance(60000);
    p.Tick();
    ASSERT_EQ(p.List().size(), 2u);
    ASSERT_EQ(p.List()[0][2], kIphone);

    ASSERT_TRUE(p.driver->Type("编辑框设备", "小明的手机+2"));
    EXPECT_TRUE(p.driver->Key("编辑框设备", 65));  // other keys save nothing
    EXPECT_TRUE(editor.Visible());
    ASSERT_TRUE(p.driver->Key("编辑框设备", 13));
    EXPECT_FALSE(editor.Visible());
    EXPECT_EQ(p.List()[0][3], "小明的手机+2");
    EXPECT_EQ(p.List()[1][3], "未知设备");
    const std::string names = p.File(clients::kNamesPath);
    EXPECT_NE(names.find(std::string(kIphone) + "+小明的手机+2"), std::string::npos);
    EXPECT_NE(names.find(std::string(kAndroid) + "+安卓设备"), std::string::npos);
    EXPECT_NE(names.find(std::string(kSilent) + "+未知设备"), std::string::npos);

    // Losing the focus after Enter saves nothing more.
    p.app->Main().Dispatch("编辑框设备", ui::Event::FocusLost);
    EXPECT_EQ(p.File(clients::kNamesPath), names);
    // The next pass shows the saved name.
    p.Tick();
    EXPECT_EQ(p.List()[0][3], "小明的手机+2");
}

TEST(ClientsView, ADoubleClickBelowTheRowsOpensNoEditor) {
    ClientsProgram p;
    p.StartAndWait();
    p.Tick();
    ASSERT_TRUE(p.driver->DoubleClickRow("超级列表框1", -1));
    EXPECT_FALSE(p.C("编辑框设备").Visible());
    EXPECT_EQ(p.app->Clients().EditedDevice(), "");
}

TEST(ClientsView, MonitorOffStopsTheTimerAndTheRunningPassAndOnRestartsThem) {
    ClientsProgram p;
    p.StartAndWait();
    p.Tick();
    ASSERT_EQ(p.List().size(), 3u);

    // A pass is running when monitoring goes off: nothing of it reaches the list.
    p.StartPass();
    ASSERT_TRUE(p.driver->Click("单选框不监控"));
    p.app->Settle();
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);
    EXPECT_TRUE(p.List().empty());
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[0]");
    EXPECT_EQ(settings::ReadSetting(p.host, "monitor", "monitor", ""), "不监控");
    size_t mark = p.Mark();
    p.driver->AdvanceTimers(60000);
    p.app->Settle();
    EXPECT_TRUE(p.CommandsSince(mark).empty());

    const size_t noticesBefore = p.notices.size();
    ASSERT_TRUE(p.driver->Click("单选框监控"));
    EXPECT_EQ(settings::ReadSetting(p.host, "monitor", "monitor", ""), "监控");
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 10000);
    p.Tick();
    EXPECT_EQ(p.List(), kThreePhones);
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[3]");
    // The same three phones as before the switch: nobody is new.
    EXPECT_EQ(p.notices.size(), noticesBefore) << p.notices.back();
}

TEST(ClientsView, MonitorOnBeforeAnyStartStartsNoTimerAndOffKeepsTheStartFromListing) {
    ClientsProgram p;
    ASSERT_TRUE(p.driver->Click("单选框监控"));
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);
    ASSERT_TRUE(p.driver->Click("单选框不监控"));
    p.PressStart();
    ASSERT_TRUE(p.Session().sharingCompleted);
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);
    p.clock.Advance(60000);
    const size_t mark = p.Mark();
    p.driver->AdvanceTimers(30000);
    EXPECT_FALSE(p.Ran("arp -a", mark));
    EXPECT_TRUE(p.List().empty());
}

TEST(ClientsView, TheStopButtonEndsTheRunningPass) {
    // The pass's "arp -a" takes 3 s.
    ClientsProgram p(sim::SimulatedLaptop::DefaultScenario() + "slow \"arp -a\" 3\n");
    p.StartAndWait();
    p.StartPass();
    // The stop, before the pass's results are applied.
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    p.app->Settle();
    ASSERT_EQ(p.C("按钮开始").Text(), "开启共享");
    // However long the pass would still take, it was asked to stop: nothing it posts
    // from now on is applied.
    EXPECT_TRUE(StopWasRequested(p.app->Clients().PassTask().Current()));
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);
    EXPECT_TRUE(p.List().empty());
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[0]");
    EXPECT_FALSE(p.app->WorkersRunning());
    // And so it stays.
    p.clock.Advance(20000);
    p.driver->AdvanceTimers(20000);
    p.app->Settle();
    EXPECT_TRUE(p.List().empty());
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[0]");
}

TEST(ClientsView, TheExitPathsEndTheRunningPass) {
    ClientsProgram p;
    p.StartAndWait();
    p.StartPass();
    p.app->StopWorkers();
    p.app->Settle();
    EXPECT_FALSE(p.app->WorkersRunning());
    EXPECT_TRUE(p.List().empty());
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[0]");
}

TEST(ClientsView, TheJoinNoticeNamesOneNewDeviceAndCanBeTurnedOff) {
    ClientsProgram p;
    EXPECT_TRUE(p.C("选择框新设备提示").Checked());  // on by default
    p.PressStart();
    // At 30 s the Android phone and the iPhone have joined.
    p.clock.Advance(30000);
    p.Tick();
    ASSERT_EQ(p.List().size(), 2u);
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0], "2 台新设备连上了热点");
    // The silent device joins at 48 s: one notice names it.
    p.clock.Advance(30000);
    p.Tick();
    ASSERT_EQ(p.notices.size(), 2u);
    EXPECT_EQ(p.notices[1], "新设备连上了热点：未知设备 192.168.137.140");
    EXPECT_EQ(p.app->Main().TrayBalloonTitle(), app::kProgramTitle);

    // Blacklisted and released, the Android phone comes back as a new device; with the
    // notice off nothing is shown.
    ASSERT_TRUE(p.driver->Click("选择框新设备提示"));
    EXPECT_EQ(p.Setting(settings::kJoinNotice), "0");
    {
        // The next start of the program remembers it.
        app::App next(p.host, p.dispatcher);
        EXPECT_FALSE(next.Main()["选择框新设备提示"].Checked());
    }
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.Tick();
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框2", 0));
    ASSERT_TRUE(p.driver->Choose("取消黑名单"));
    p.app->Settle();
    p.clock.Advance(60000);
    p.Tick();
    ASSERT_EQ(p.List().size(), 3u);
    EXPECT_EQ(p.notices.size(), 2u);

    // On again, the next newcomer is told of once more.
    ASSERT_TRUE(p.driver->Click("选择框新设备提示"));
    EXPECT_EQ(p.Setting(settings::kJoinNotice), "1");
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 2));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.Tick();
    // A blacklisted device is never new.
    EXPECT_EQ(p.notices.size(), 2u);
}

TEST(ClientsView, ADeviceThatLeftAndCameBackIsNewAndItsNameReachesTheNoticeCleaned) {
    // One phone that registers a hostile host name. It leaves at 100 s; four minutes
    // later the address table no longer lists it, and then it comes back.
    ClientsProgram p(R"(windows 7
upstream 无线网络连接
device 5c:51:88:0d:e4:a2 join=5 leave=100 ip=192.168.137.40
)");
    p.laptop->Change(
        [](sim::LaptopModel& m) { m.names["192.168.137.40"] = "Red\r\n\x07mi\t\x1b[2J\xc2\x85"; });
    p.PressStart();
    p.clock.Advance(30000);
    p.Tick();
    ASSERT_EQ(p.List().size(), 1u);
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0], "新设备连上了热点：Redmi[2J 192.168.137.40");

    // Still listed: no second notice.
    p.Tick();
    EXPECT_EQ(p.notices.size(), 1u);

    p.clock.Advance(240000);
    p.Tick();
    ASSERT_TRUE(p.List().empty());
    EXPECT_EQ(p.notices.size(), 1u);

    p.laptop->Change([&](sim::LaptopModel& m) {
        m.devices[0].joinMs = p.clock.NowMs();
        m.devices[0].leaveMs = -1;
    });
    p.clock.Advance(5000);
    p.Tick();
    ASSERT_EQ(p.List().size(), 1u);
    ASSERT_EQ(p.notices.size(), 2u);
    EXPECT_EQ(p.notices[1], p.notices[0]);
}

TEST(ClientsView, JoinNoticeText) {
    EXPECT_EQ(app::JoinNoticeText({{"安卓设备", "192.168.137.23"}}),
              "新设备连上了热点：安卓设备 192.168.137.23");
    EXPECT_EQ(app::JoinNoticeText({{"", "192.168.137.9"}}), "新设备连上了热点：192.168.137.9");
    EXPECT_EQ(app::JoinNoticeText({{"a", "1"}, {"b", "2"}, {"c", "3"}}), "3 台新设备连上了热点");
}

}  // namespace
}  // namespace hs::hotspot::testing
