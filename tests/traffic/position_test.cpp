// The bar's position and bubble: the default near the bottom right, stored
// positions good and bad, monitors that went away, the bubble up or down, the links
// and the switch.
#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/traffic/traffic_support.h"
#include "traffic/bar_menu.h"
#include "traffic/bar_position.h"

namespace hs::traffic {
namespace {

using testing::Laptop;
using testing::LaptopScenario;

// One 1366 x 768 screen with a 40-pixel task bar at the bottom.
DisplayLayout LaptopScreen() {
    return {1366, 768, {{0, 0, 1366, 728}}, {{0, 0, 1366, 768}}};
}

// The same with a second monitor of 1920 x 1080 to the left of it.
DisplayLayout TwoMonitors() {
    DisplayLayout layout = LaptopScreen();
    layout.workAreas.push_back({-1920, 0, 0, 1040});
    layout.monitors.push_back({-1920, 0, 0, 1080});
    return layout;
}

TEST(BarPosition, TheDefaultIs186And118PixelsFromTheRightAndBottomEdges) {
    EXPECT_EQ(DefaultBarPositionText(LaptopScreen()), "1180|650");
    EXPECT_EQ(ChooseBarPosition(DefaultBarPositionText(LaptopScreen()), LaptopScreen()),
              (BarPosition{1180, 650}));

    // Read through the settings file: no key yet gives the default, and what was
    // saved comes back after a restart.
    Laptop l(LaptopScenario(""));
    EXPECT_EQ(ReadBarPosition(l.host), (BarPosition{1180, 650}));
    ASSERT_TRUE(SaveBarPosition(l.host, {300, 200}));
    EXPECT_EQ(settings::ReadSetting(l.host, "flowposition", "xy", ""), "300|200");
    EXPECT_EQ(ReadBarPosition(l.host), (BarPosition{300, 200}));
}

TEST(BarPosition, AtEveryDpiTheDefaultKeepsTheWholeScaledBarOnTheWorkArea) {
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        DisplayLayout screen = LaptopScreen();
        screen.dpi = dpi;
        const BarPosition p = ChooseBarPosition(DefaultBarPositionText(screen), screen);
        const int width = kBarWidth * dpi / 96, height = kBarHeight * dpi / 96;
        EXPECT_GE(p.left, 0);
        EXPECT_LE(p.left + width, screen.workAreas[0].right);
        EXPECT_LE(p.top + height, screen.workAreas[0].bottom);
        // A bar with only its 96-DPI grip's worth on the screen cannot be grabbed at
        // the larger DPI and comes back.
        const BarPosition edge{1366 - 40, 300};
        EXPECT_EQ(ChooseBarPosition("1326|300", screen) == edge, dpi == 96);
        // The bubble opens from the middle of the scaled bar.
        EXPECT_NEAR(PlaceBubble(p, screen).x, p.left + width / 2, 1);
    }
}

TEST(BarPosition, BadStoredValuesGiveTheDesignedOrTheDefaultPosition) {
    const DisplayLayout screen = LaptopScreen();
    // Not two parts: the designed position.
    EXPECT_EQ(ChooseBarPosition("100", screen), (BarPosition{50, 50}));
    EXPECT_EQ(ChooseBarPosition("", screen), (BarPosition{50, 50}));
    EXPECT_EQ(ChooseBarPosition("1|2|3", screen), (BarPosition{50, 50}));
    // Two parts that are no numbers read as 0.
    EXPECT_EQ(ChooseBarPosition("a|b", screen), (BarPosition{0, 0}));
    EXPECT_EQ(ChooseBarPosition(" 12.9| 40", screen), (BarPosition{12, 40}));
    // Far off every screen: the default.
    EXPECT_EQ(ChooseBarPosition("99999|-99999", screen), (BarPosition{1180, 650}));
    EXPECT_EQ(ChooseBarPosition("99999999999999|5", screen), (BarPosition{1180, 650}));
    EXPECT_EQ(ChooseBarPosition("-2147483648|-2147483648", screen), (BarPosition{1180, 650}));
}

TEST(BarPosition, APositionOnAMonitorThatWentAwayComesBackToTheDefault) {
    EXPECT_EQ(ChooseBarPosition("-1500|300", TwoMonitors()), (BarPosition{-1500, 300}));
    EXPECT_EQ(ChooseBarPosition("-1500|300", LaptopScreen()), (BarPosition{1180, 650}));
    // Partly off the edge is fine while a grip of the bar stays on the screen.
    EXPECT_EQ(ChooseBarPosition("1300|600", LaptopScreen()), (BarPosition{1300, 600}));
    EXPECT_EQ(ChooseBarPosition("1350|600", LaptopScreen()), (BarPosition{1180, 650}));
    // Under the task bar is not on the work area.
    EXPECT_EQ(ChooseBarPosition("600|730", LaptopScreen()), (BarPosition{1180, 650}));
    EXPECT_EQ(ChooseBarPosition("-100|-5", LaptopScreen()), (BarPosition{-100, -5}));
    // When the system could not list its monitors, the stored position stands.
    EXPECT_EQ(ChooseBarPosition("-1500|300", DisplayLayout{1366, 768, {}, {}}),
              (BarPosition{-1500, 300}));
}

TEST(BarBubble, OpensUpwardsNearTheBottomOfTheScreenAndDownwardsHigherUp) {
    // The default position lies within 130 pixels of the bottom: up from the top edge.
    BubblePlacement p = PlaceBubble({1180, 650}, LaptopScreen());
    EXPECT_TRUE(p.upwards);
    EXPECT_EQ(p.x, 1257);
    EXPECT_EQ(p.y, 650);
    p = PlaceBubble({1180, 639}, LaptopScreen());
    EXPECT_TRUE(p.upwards);
    // Exactly 130 pixels above the bottom and higher: down from the bottom edge.
    p = PlaceBubble({1180, 638}, LaptopScreen());
    EXPECT_FALSE(p.upwards);
    EXPECT_EQ(p.y, 660);
    p = PlaceBubble({40, 50}, LaptopScreen());
    EXPECT_FALSE(p.upwards);
    EXPECT_EQ(p.x, 117);
    EXPECT_EQ(p.y, 72);
}

TEST(BarBubble, OnAnotherMonitorItsOwnHeightDecides) {
    // The second monitor is 1080 high: at 700 the bar is high on it, though that is
    // near the bottom of the primary screen.
    EXPECT_FALSE(PlaceBubble({-1000, 700}, TwoMonitors()).upwards);
    EXPECT_TRUE(PlaceBubble({-1000, 1000}, TwoMonitors()).upwards);
    EXPECT_EQ(PlaceBubble({-1000, 1000}, TwoMonitors()).x, -923);
    // A monitor above the primary one ends at 0: near its bottom means just above 0.
    DisplayLayout above = LaptopScreen();
    above.workAreas.push_back({0, -1024, 1280, 0});
    above.monitors.push_back({0, -1024, 1280, 0});
    EXPECT_TRUE(PlaceBubble({600, -60}, above).upwards);
    EXPECT_FALSE(PlaceBubble({600, -600}, above).upwards);
    // Across two monitors the one holding most of the bar counts.
    EXPECT_EQ(BarScreenBottom({-100, 700}, TwoMonitors()), 1080);
    EXPECT_EQ(BarScreenBottom({-50, 700}, TwoMonitors()), 768);
    // Only work areas known: their bottom. None holding the bar: the primary screen.
    DisplayLayout workOnly = TwoMonitors();
    workOnly.monitors.clear();
    EXPECT_EQ(BarScreenBottom({-1000, 700}, workOnly), 1040);
    EXPECT_EQ(BarScreenBottom({5000, 5000}, TwoMonitors()), 768);
}

TEST(BarBubble, TheLinksAndTheSwitchSetting) {
    EXPECT_EQ(ReadBubbleLink("m7"), BubbleLink::ShowMainWindow);
    EXPECT_EQ(ReadBubbleLink("m8"), BubbleLink::HideBar);
    EXPECT_EQ(ReadBubbleLink("M8"), BubbleLink::None);
    EXPECT_EQ(ReadBubbleLink(""), BubbleLink::None);
    EXPECT_NE(std::string(kBubbleMenuDocument).find("<a msg=m7>"), std::string::npos);
    EXPECT_NE(std::string(kBubbleMenuDocument).find("<a msg=m8>"), std::string::npos);

    Laptop l(LaptopScenario(""));
    EXPECT_FALSE(ReadBarSwitch(l.host));  // "否" by default
    ASSERT_TRUE(WriteBarSwitch(l.host, true));
    EXPECT_EQ(settings::ReadSetting(l.host, "流量条", "是否开", ""), "是");
    EXPECT_TRUE(ReadBarSwitch(l.host));
    // "隐藏流量条" switches it off, and a restart reads it back from the file.
    ASSERT_TRUE(WriteBarSwitch(l.host, false));
    EXPECT_EQ(settings::ReadSetting(l.host, "流量条", "是否开", ""), "否");
    EXPECT_FALSE(ReadBarSwitch(l.host));
}

}  // namespace
}  // namespace hs::traffic
