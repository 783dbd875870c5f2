#include "app/startup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "settings/settings_file.h"
#include "sys/dispatcher.h"
#include "tests/app/app_host.h"
#include "ui/driver.h"

namespace hs::app {
namespace {

using testing_support::AppHost;

class Startup : public ::testing::Test {
  protected:
    // Runs the created procedure as the launcher does.
    void Create() {
        app = std::make_unique<App>(sim.host, dispatcher);
        app->quitHook = [this](int code) { quitCodes.push_back(code); };
        app->preparationOverride = [this] { preparationRan = true; };
        app->Main().Dispatch(kMainWindowName, ui::Event::Created);
    }
    void Store(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(settings::WriteSetting(sim.host, section, key, value));
    }
    std::string Stored(const char* section, const char* key) {
        return settings::ReadSetting(sim.host, section, key, "<absent>");
    }
    void WaitForPreparation() { app->Settle(); }
    ui::Control C(const char* name) { return app->Main()[name]; }

    // Declared before the program, so they outlive its worker threads.
    AppHost sim;
    QueueDispatcher dispatcher;
    std::vector<int> quitCodes;
    std::atomic<bool> preparationRan{false};
    std::unique_ptr<App> app;
};

TEST_F(Startup, WithoutASettingsFileTheWindowShowsTheDesignedValues) {
    Create();
    EXPECT_FALSE(app->Ending());
    EXPECT_EQ(app->Main().Self().Text(), "岚舟笔记本设置WiFi热点工具");
    EXPECT_EQ(C("编辑框名称").Text(), "mylove");
    EXPECT_EQ(C("编辑框密码").GetInputMode(), ui::kPlainInput);
    EXPECT_TRUE(C("选择框1").Checked());
    EXPECT_TRUE(C("单选框监控").Checked());
    EXPECT_FALSE(C("单选框不监控").Checked());
    EXPECT_FALSE(C("选择框显示流量").Checked());
    EXPECT_EQ(C("滑块条色调").Position(), 310);
    EXPECT_EQ(C("透明标签位置").Text(), "[150]");
    EXPECT_EQ(app->Main().Hue(), 150);
    EXPECT_TRUE(app->Main().Themed());
    EXPECT_EQ(C("标签9").Text(), "未启动");
    EXPECT_EQ(C("图片框状态").Picture(), ui::kPictureStatusIdle);
    // The button waits for the preparation thread, which is not built yet.
    EXPECT_FALSE(C("按钮开始").Enabled());
    EXPECT_EQ(C("按钮开始").Text(), "初始化中\r\n请稍后");
    EXPECT_FALSE(C("标签操作系统").Visible());
    EXPECT_EQ(app->Hotspot().osVersionCode, 5);
    EXPECT_EQ(app->Hotspot().updateUrl[0], "http://");
    EXPECT_EQ(app->Hotspot().updateUrl[4], ".html");
    EXPECT_EQ(
        app->Hotspot().updateUrl[1] + app->Hotspot().updateUrl[2] + app->Hotspot().updateUrl[3],
        "update.lanzhou-wifi.example");
    WaitForPreparation();
    EXPECT_TRUE(preparationRan.load());
}

// No two installations share a key: the first start shows ten generated digits and
// saves them at once; later starts show what is saved, and only the key is written.
TEST_F(Startup, AFirstStartGeneratesTheKeyAndSavesItAtOnce) {
    Create();
    const std::string key = C("编辑框密码").Text();
    EXPECT_EQ(key.size(), 10u);
    EXPECT_EQ(key.find_first_not_of("0123456789"), std::string::npos) << key;
    EXPECT_EQ(Stored("user", "key"), key);
    EXPECT_EQ(Stored("user", "ssid"), "<absent>");
    EXPECT_EQ(sim.random.Calls(), 1);

    // A restart shows the same key and asks the generator nothing.
    app.reset();
    Create();
    EXPECT_EQ(C("编辑框密码").Text(), key);
    EXPECT_EQ(sim.random.Calls(), 1);

    // Another laptop's generator gives another key.
    AppHost other;
    sim::SeededRandom otherRandom(2);
    other.host.random = &otherRandom;
    App second(other.host, dispatcher);
    second.preparationOverride = [] {};
    second.Main().Dispatch(kMainWindowName, ui::Event::Created);
    const std::string otherKey = second.Main()["编辑框密码"].Text();
    EXPECT_EQ(otherKey.size(), 10u);
    EXPECT_NE(otherKey, key);
    second.Settle();
    WaitForPreparation();
}

TEST_F(Startup, WithoutAWorkingGeneratorTheKeyIsLeftForTheUserToType) {
    sim.random.SetAvailable(false);
    Create();
    EXPECT_EQ(C("编辑框密码").Text(), "");
    // Nothing is saved, so the next start tries again.
    std::string bytes;
    EXPECT_EQ(sim.files.Read(settings::kSettingsPath, bytes), FileRead::Missing);
    WaitForPreparation();
}

TEST_F(Startup, CaptionColoursTipsAndTheInstanceSearch) {
    std::vector<std::string> coloured;
    app = std::make_unique<App>(sim.host, dispatcher);
    app->Main().AddObserver([&](ui::Control control, ui::Property property) {
        if (property == ui::Property::TitleColour)
            coloured.push_back(control.Name());
    });
    app->Main().Dispatch(kMainWindowName, ui::Event::Created);
    EXPECT_EQ(coloured,
              (std::vector<std::string>{"分组框2", "分组框1", "分组框3", "分组框4", "分组框6"}));
    EXPECT_EQ(C("分组框2").TitleColour(), (ui::Colour{255, 0, 0}));
    EXPECT_EQ(C("分组框3").TitleColour(), (ui::Colour{255, 0, 0}));
    EXPECT_EQ(C("分组框6").TitleColour(), (ui::Colour{9, 124, 37}));

    EXPECT_EQ(C("编辑框名称").Tip(), "请输入英文或数字，部分手机可能无法识别中文");
    EXPECT_EQ(C("编辑框密码").Tip(), "密码不能少于8位数");
    EXPECT_EQ(
        C("选择框2").Tip(),
        "通常软件能智能匹配连网方式，若发现不对，\r\n请自行选择，并勾选这个，以后就记住这个连网了");
    EXPECT_EQ(C("单选框监控").Tip(), "显示用户和拦截黑名单，建议开启");
    EXPECT_EQ(C("单选框不监控").Tip(), "不显示用户，不拦截黑名单，安静模式");
    // Only the password field's tip has its own style.
    EXPECT_TRUE(C("编辑框密码").TipStyled());
    EXPECT_FALSE(C("编辑框名称").TipStyled());
    EXPECT_FALSE(C("单选框监控").TipStyled());
    EXPECT_EQ(sim.desktop.searched.back(), "岚舟笔记本设置WiFi热点工具");
}

TEST_F(Startup, StoredValuesFillTheControls) {
    Store("user", "ssid", "办公室WiFi");
    Store("user", "key", "abcdefgh");
    Store("monitor", "monitor", "不监控");
    Store("流量条", "是否开", "是");
    Create();
    EXPECT_EQ(C("编辑框名称").Text(), "办公室WiFi");
    EXPECT_EQ(C("编辑框密码").Text(), "abcdefgh");
    EXPECT_EQ(sim.random.Calls(), 0);  // a saved key stays as it is
    EXPECT_FALSE(C("单选框监控").Checked());
    EXPECT_TRUE(C("单选框不监控").Checked());
    EXPECT_TRUE(C("选择框显示流量").Checked());
}

TEST_F(Startup, OnlyTheExactMonitorTextSelectsMonitoring) {
    Store("monitor", "monitor", "监控 ");  // trimmed on reading: still exact
    Store("流量条", "是否开", "yes");
    Create();
    EXPECT_TRUE(C("单选框监控").Checked());
    EXPECT_FALSE(C("选择框显示流量").Checked());
}

TEST_F(Startup, TheStoredColourSetsSliderLabelAndHue) {
    const struct {
        const char* stored;
        int position;
        const char* label;
        int hue;
    } cases[] = {{"0", 0, "[-160]", -160},
                 {"400", 340, "[180]", 240},  // the slider stops, the hue does not
                 {"-20", 0, "[-160]", -180},
                 {"260.9", 260, "[100]", 100},
                 {"blue", 0, "[-160]", -160}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Store("skin", "color", c.stored);
        Create();
        EXPECT_EQ(C("滑块条色调").Position(), c.position);
        EXPECT_EQ(C("透明标签位置").Text(), c.label);
        EXPECT_EQ(app->Main().Hue(), c.hue);
        app.reset();
    }
}

TEST_F(Startup, TheShowPasswordChoiceIsAppliedAfterTheFields) {
    const struct {
        const char* stored;  // nullptr: absent
        bool checked;
        int mode;
    } cases[] = {{"1", true, ui::kPlainInput},
                 {"2", false, ui::kPasswordInput},
                 {"3", true, ui::kPlainInput},
                 {nullptr, true, ui::kPlainInput}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        std::filesystem::remove(sim.files.Locate(settings::kSettingsPath));
        if (c.stored)
            Store("xsmm", "mm", c.stored);
        Create();
        EXPECT_EQ(C("选择框1").Checked(), c.checked);
        EXPECT_EQ(C("编辑框密码").GetInputMode(), c.mode);
        app.reset();
    }
}

TEST_F(Startup, ClickingShowPasswordTwiceLeavesMm1) {
    Create();
    app->Main().Self().SetVisible(true);
    {
        ui::Driver driver(app->Main());
        ASSERT_TRUE(driver.Click("选择框1"));
        EXPECT_FALSE(C("选择框1").Checked());
        EXPECT_EQ(C("编辑框密码").GetInputMode(), ui::kPasswordInput);
        EXPECT_EQ(Stored("xsmm", "mm"), "2");
        ASSERT_TRUE(driver.Click("选择框1"));
        EXPECT_EQ(C("编辑框密码").GetInputMode(), ui::kPlainInput);
        EXPECT_EQ(Stored("xsmm", "mm"), "1");
    }
    // A restart keeps the choice.
    app.reset();
    Store("xsmm", "mm", "2");
    Create();
    EXPECT_EQ(C("编辑框密码").GetInputMode(), ui::kPasswordInput);
}

TEST_F(Startup, TheSliderAndRestoreDefaultSaveTheColour) {
    Create();
    app->Main().Self().SetVisible(true);
    {
        ui::Driver driver(app->Main());
        ASSERT_TRUE(driver.ChangePage("选择夹1", 2));
        const struct {
            int position;
            const char* stored;
            const char* label;
        } moves[] = {{20, "20", "[-140]"}, {200, "200", "[40]"}, {340, "340", "[180]"}};
        for (const auto& move : moves) {
            ASSERT_TRUE(driver.MoveSlider("滑块条色调", move.position));
            EXPECT_EQ(Stored("skin", "color"), move.stored);
            EXPECT_EQ(C("透明标签位置").Text(), move.label);
            EXPECT_EQ(app->Main().Hue(), move.position - 160);
        }
        ASSERT_TRUE(driver.Click("按钮色调"));
        EXPECT_EQ(Stored("skin", "color"), "260");
        EXPECT_EQ(C("滑块条色调").Position(), 260);
    }
    // A restart shows the slider where it was left.
    app.reset();
    Create();
    EXPECT_EQ(C("滑块条色调").Position(), 260);
    EXPECT_EQ(C("透明标签位置").Text(), "[100]");
}

TEST_F(Startup, TheBlacklistFileIsLoaded) {
    sim.WriteFile("c:\\wifiblack.txt",
                  "AA-BB-CC-DD-EE-01+小米\r\nAA-BB-CC-DD-EE-02+\r\n\r\nAA-BB-CC-DD-EE-03+a+b\r\n");
    Create();
    EXPECT_EQ(C("超级列表框2").Rows(),
              (std::vector<std::vector<std::string>>{{"", "AA-BB-CC-DD-EE-01", "小米"},
                                                     {"", "AA-BB-CC-DD-EE-02", ""},
                                                     {"", "AA-BB-CC-DD-EE-03", "a+b"}}));
}

TEST_F(Startup, WindowsXpIsRefused) {
    sim.system.version = OsVersion{5, 1, 2, 5, 1};
    Create();
    EXPECT_TRUE(C("标签操作系统").Visible());
    EXPECT_EQ(C("标签操作系统").Text(), "抱歉，您的电脑非win7、win8系统，不能使用该软件！");
    EXPECT_FALSE(C("按钮开始").Enabled());
    EXPECT_EQ(C("按钮开始").Text(), "开启共享");
    EXPECT_FALSE(app->WorkersRunning());
    EXPECT_EQ(app->Hotspot().osVersionCode, 0);
    // Everything before the gate still ran.
    EXPECT_EQ(C("编辑框名称").Text(), "mylove");
    EXPECT_FALSE(app->Ending());
}

TEST_F(Startup, OtherSystemsStartThePreparationWithTheirVersionCode) {
    // Windows 8.1 reports 6.2 to the program; the environment block says 6.3.
    sim.system.version = OsVersion{6, 2, 2, 6, 3};
    Create();
    EXPECT_FALSE(C("标签操作系统").Visible());
    EXPECT_EQ(app->Hotspot().osVersionCode, 6);
    EXPECT_TRUE(preparationRan.load() || app->WorkersRunning());
    // Windows Server 2003 (NT 5.2) is not refused either.
    app.reset();
    sim.system.version = OsVersion{5, 2, 2, 5, 2};
    Create();
    EXPECT_FALSE(C("标签操作系统").Visible());
    EXPECT_EQ(app->Hotspot().osVersionCode, 3);
}

TEST_F(Startup, ASecondInstanceRestoresTheFirstAndQuitsBeforeSettingItsTitle) {
    Store("user", "ssid", "saved");
    sim.desktop.existing = true;
    Create();
    EXPECT_TRUE(app->Ending());
    EXPECT_EQ(app->ExitCode(), 0);
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    EXPECT_EQ(sim.desktop.searched, std::vector<std::string>{"岚舟笔记本设置WiFi热点工具"});
    EXPECT_EQ(app->Main().Self().Text(), "");
    EXPECT_EQ(C("编辑框名称").Text(), "mylove");  // nothing else of the procedure ran
    EXPECT_FALSE(app->WorkersRunning());
}

TEST_F(Startup, ThePreparationThreadStartsLastAndEndsWithTheProgram) {
    Store("user", "ssid", "late");
    Store("xsmm", "mm", "2");
    std::atomic<bool> sawFilledWindow{false};
    std::atomic<bool> stopped{false};
    app = std::make_unique<App>(sim.host, dispatcher);
    ui::Window* window = &app->Main();
    app->preparationOverride = [&, window] {
        ui::Window& main = *window;
        sawFilledWindow = main["编辑框名称"].Text() == "late" &&
                          main["编辑框密码"].GetInputMode() == ui::kPasswordInput &&
                          main["标签9"].Text() == "未启动";
        // A long preparation: runs until the program ends.
        while (!StopRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        stopped = true;
    };
    app->Main().Dispatch(kMainWindowName, ui::Event::Created);
    ASSERT_TRUE(app->WorkersRunning());
    app.reset();
    EXPECT_TRUE(stopped.load());
    EXPECT_TRUE(sawFilledWindow.load());
}

}  // namespace
}  // namespace hs::app
