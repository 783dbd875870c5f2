// Scenario text: mistakes are reported with their line; the default one is sound.
#include "platform/sim/scenario.h"
#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

std::string ErrorOf(const std::string& text) {
    LaptopModel model;
    std::string error;
    EXPECT_FALSE(ParseScenario(text, model, error)) << text;
    return error;
}

TEST(Scenario, MistakesAreReportedWithTheirLine) {
    EXPECT_EQ(ErrorOf("windows 7\n\nconection x\n"), "line 3: unknown statement 'conection'");
    EXPECT_EQ(ErrorOf("windows 9\n"), "line 1: windows must be 7, 8, 8.1, 10 or 11");
    EXPECT_EQ(ErrorOf("radio maybe\n"), "line 1: radio must be on or off");
    EXPECT_EQ(ErrorOf("# comment\ndevice 11:22:33 join=1\n"),
              "line 2: device needs a hardware address first");
    EXPECT_EQ(ErrorOf("device a4:5e:60:c1:22:33 join=soon\n"),
              "line 1: join must be a time in seconds");
    EXPECT_EQ(ErrorOf("device a4:5e:60:c1:22:33 join=10 leave=5\n"),
              "line 1: a device must leave after it joins");
    EXPECT_EQ(ErrorOf("device a4:5e:60:c1:22:33\ndevice A4-5E-60-C1-22-33\n"),
              "line 2: device a4:5e:60:c1:22:33 is listed twice");
    EXPECT_EQ(ErrorOf("device a4:5e:60:c1:22:33 ip=10.0.0.5\n"),
              "line 1: ip must be an address in 192.168.137.2 to 192.168.137.254");
    EXPECT_EQ(ErrorOf("connection 本地连接 colour=red\n"), "line 1: unknown option 'colour'");
    EXPECT_EQ(ErrorOf("connection 本地连接 status=5\n"), "line 1: status must be 0, 2 or 7");
    EXPECT_EQ(ErrorOf("connection a index=7\nconnection b index=7\n"),
              "connections 'a' and 'b' share index 7");
    EXPECT_EQ(ErrorOf("service MpsSvc start=9\n"),
              "line 1: service options are start=2|3|4, state=1|4, fails=yes|no");
}

// The random generator replays the sequence of its seed, and can be missing.
TEST(Scenario, TheRandomGeneratorFollowsItsSeed) {
    EXPECT_EQ(ErrorOf("random soon\n"), "line 1: random must be a whole number or unavailable");
    EXPECT_EQ(ErrorOf("random 5k\n"), "line 1: random must be a whole number or unavailable");
    auto draw = [](const std::string& scenario) {
        Bench b(scenario);
        std::vector<uint8_t> bytes(16);
        return b.host.random->Fill(bytes.data(), bytes.size()) ? bytes : std::vector<uint8_t>{};
    };
    const std::vector<uint8_t> seven = draw("random 7\n");
    ASSERT_EQ(seven.size(), 16u);
    EXPECT_EQ(draw("random 7\n"), seven);
    EXPECT_NE(draw("random 8\n"), seven);
    EXPECT_EQ(draw(""), draw("random 1\n"));
    EXPECT_TRUE(draw("random unavailable\n").empty());
}

TEST(Scenario, FromScenarioReturnsNothingAndSaysWhy) {
    VirtualClock clock;
    auto codec = MakeNativeCodec();
    DirectoryFiles files(testing_support::FreshFolder("hs_sim").string());
    std::string error;
    EXPECT_EQ(SimulatedLaptop::FromScenario("admin perhaps\n", clock, *codec, files, &error),
              nullptr);
    EXPECT_EQ(error, "scenario: line 1: admin must be yes or no");
    EXPECT_NE(SimulatedLaptop::FromScenario("", clock, *codec, files, nullptr), nullptr);
}

TEST(Scenario, DefaultIsWindows7WithThreePhonesInTheFirstMinute) {
    LaptopModel m;
    std::string error;
    ASSERT_TRUE(ParseScenario(SimulatedLaptop::DefaultScenario(), m, error)) << error;
    EXPECT_EQ(m.windows, "7");
    EXPECT_TRUE(m.admin);
    EXPECT_EQ(m.upstream, "无线网络连接");
    ASSERT_EQ(m.devices.size(), 3u);
    for (const auto& d : m.devices)
        EXPECT_LT(d.joinMs, 60000) << d.mac;
    EXPECT_EQ(m.devices[0].hostName, "android-5a1c2b3d");
    EXPECT_FALSE(m.devices[2].answersPing);
    ASSERT_NE(m.Hosted(), nullptr);
    EXPECT_EQ(m.Hosted()->name, "无线网络连接 2");
    EXPECT_EQ(m.pages.count("/rjgx/lanz/lanzgx.html"), 1u);
}

TEST(Scenario, QuotesCommentsRatesAndPageLineBreaks) {
    LaptopModel m;
    std::string error;
    ASSERT_TRUE(
        ParseScenario("windows 8.1  # Windows 8.1\r\n"
                      "hosted \"本地连接* 7\" index=9\n"
                      "device 00:11:22:33:44:55 down=2m up=3k join=1.5 leave=never\n"
                      "page http://127.0.0.1/a.html 第一行\\n【版本开始】2.0【版本结束】\n",
                      m, error))
        << error;
    EXPECT_EQ(m.windows, "8.1");
    EXPECT_EQ(m.Hosted()->name, "本地连接* 7");
    EXPECT_EQ(m.Hosted()->index, 9u);
    EXPECT_EQ(m.devices[0].downRate, 2u * 1048576);
    EXPECT_EQ(m.devices[0].upRate, 3u * 1024);
    EXPECT_EQ(m.devices[0].joinMs, 1500);
    EXPECT_EQ(m.devices[0].leaveMs, -1);
    EXPECT_EQ(m.pages["http://127.0.0.1/a.html"], "第一行\r\n【版本开始】2.0【版本结束】");
    // Windows 8's usual connections, the hosted one after "Wi-Fi".
    ASSERT_GE(m.connections.size(), 2u);
    EXPECT_EQ(m.connections[0].name, "Wi-Fi");
    EXPECT_EQ(m.connections[1].name, "本地连接* 7");
}

}  // namespace
}  // namespace hs::sim::testing
