// The same stories on Simplified Chinese, Traditional Chinese and English Windows: what
// the program decides comes from the system's state, so the console's language never
// changes an outcome.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotspot/start_sharing.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

class InEveryLanguage : public ::testing::TestWithParam<const char*> {
  protected:
    // The built-in laptop (hosted adapter "无线网络连接 2", interface 26, three phones)
    // speaking the language, plus `more`.
    std::string Scenario(const std::string& more = "") const {
        return sim::SimulatedLaptop::DefaultScenario() + "language " + GetParam() + "\n" + more;
    }
};

TEST_P(InEveryLanguage, AStartListsThePhonesCutsOneOffCountsTheRightInterfaceAndStops) {
    Program p(Scenario());
    p.Idle(5, "无线网络连接");
    p.C("单选框监控").SetChecked(true);
    p.PressStart();
    ASSERT_EQ(p.C("标签9").Text(), "已启动");
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(p.Session().hostedInterfaceIndex, "26");
    EXPECT_EQ(p.Session().hostedInterfaceNumber, 26);
    ASSERT_TRUE(p.Session().baselines.has_value());

    p.clock.Advance(60000);
    p.driver->AdvanceTimers(10000);
    p.app->Settle();
    ui::Control list = p.C("超级列表框1");
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[3]");

    const std::string firstIp = list.Cell(0, 1);
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 0));
    const size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    EXPECT_EQ(p.CommandsSince(mark),
              (std::vector<std::string>{"netsh interface ipv4 set neighbors 26 \"" + firstIp +
                                        "\" \"00-00-00-00-00-00\" store=active"}));
    EXPECT_EQ(list.RowCount(), 2);

    ASSERT_TRUE(p.driver->Click("按钮开始"));
    p.app->Settle();
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_P(InEveryLanguage, AStartTheDriverCannotMakeFailsWithOrWithoutTheWlanApi) {
    for (const char* api : {"yes", "no"}) {
        Program p(Scenario("radio off\nwlan_api " + std::string(api) + "\n"));
        p.Idle(5, "无线网络连接");
        p.PressStart();
        ASSERT_EQ(p.messages.size(), 1u) << api;
        EXPECT_EQ(p.messages[0].caption, "开启失败") << api;
        EXPECT_EQ(p.C("按钮开始").Text(), "开启共享") << api;
        EXPECT_EQ(p.C("标签9").Text(), "未启动") << api;
        EXPECT_FALSE(p.Session().sharingCompleted) << api;
    }
}

TEST_P(InEveryLanguage, WithoutElevationTheAdministratorBalloonShowsWithOrWithoutTheToken) {
    // Where the token cannot tell (no elevation information), the words decide.
    for (const bool tokenKnown : {true, false}) {
        Program p(Scenario("admin no\n"));
        if (!tokenKnown)
            p.host.system = nullptr;
        p.Idle(5, "无线网络连接");
        p.PressStart();
        EXPECT_EQ(p.Commands(),
                  (std::vector<std::string>{kDisallow, Configure("mylove", "5802741639")}))
            << tokenKnown;
        EXPECT_EQ(p.C("气球提示框1").Document(),
                  "无法开启！共享需要管理员权限，检测到您的电脑没有管理员权限。\r\n"
                  "请参照界面上的【帮助信息】设置管理权限后重新运行。")
            << tokenKnown;
        EXPECT_EQ(p.C("按钮开始").Text(), "开启共享") << tokenKnown;
    }
}

// The WLAN API of a laptop whose network never comes up, whatever netsh answers.
struct NeverActive : WirelessLan {
    bool HostedNetwork(HostedNetworkStatus& out) override {
        out = {};
        out.state = HostedNetworkState::Idle;
        return true;
    }
};

TEST(SystemState, AStartTheSystemDoesNotConfirmIsAFailureEvenWhenTheWordsSaySuccess) {
    Program p(sim::SimulatedLaptop::DefaultScenario());
    NeverActive wlan;
    p.host.wireless = &wlan;
    p.Idle(5, "无线网络连接");
    p.PressStart();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].caption, "开启失败");
    EXPECT_EQ(p.messages[0].text, std::string("开启失败！失败类型：已启动承载网络。\r\n"
                                              "系统报告：承载网络没有运行。\r\n") +
                                      kStartFailureHelp);
    EXPECT_NE(p.C("标签9").Text(), "已启动");
    EXPECT_FALSE(p.Session().sharingCompleted);
}

INSTANTIATE_TEST_SUITE_P(Languages, InEveryLanguage, ::testing::Values("zh-CN", "zh-TW", "en-US"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name.erase(name.find('-'), 1);
                             return name;
                         });

}  // namespace
}  // namespace hs::hotspot::testing
