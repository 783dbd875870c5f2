// The join window on the simulated laptop: it opens from the main page's button and
// from the notification-area menu only while sharing runs, holds the QR code of exactly
// the name and key the start gave netsh, and closes with the stop.
#include "app/join_window.h"

#include <algorithm>

#include "app/layout.h"
#include "join/join_text.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

constexpr const char* kWindows7 = R"(windows 7
upstream 无线网络连接
)";

bool Ran(Program& p, const std::string& command) {
    const std::vector<std::string> all = p.Commands();
    return std::find(all.begin(), all.end(), command) != all.end();
}

ui::Window& Join(Program& p) {
    return p.app->Join();
}

void ExpectShows(Program& p, const std::string& ssid, const std::string& key) {
    ui::Window& join = Join(p);
    EXPECT_TRUE(join.Self().Visible());
    EXPECT_EQ(join["图片框二维码"].Picture(),
              std::string(ui::kPictureQrPrefix) + join::JoinText(ssid, key));
    EXPECT_EQ(join["标签扫码名称"].Text(), "WiFi名称：" + ssid);
    EXPECT_EQ(join["标签扫码密码"].Text(), "密码：" + key);
}

TEST(JoinWindow, OpensFromTheButtonAndTheMenuOnlyWhileSharingRuns) {
    Program p(kWindows7);
    p.Idle(5, "无线网络连接");
    ui::Window& join = Join(p);
    // Idle: no button, and the menu item opens nothing.
    EXPECT_FALSE(p.C("按钮扫码连接").Visible());
    EXPECT_FALSE(p.driver->Click("按钮扫码连接"));
    p.app->Main().Self().SetVisible(true);
    EXPECT_TRUE(p.driver->Choose("扫码连接"));
    EXPECT_FALSE(join.Self().Visible());
    EXPECT_TRUE(p.C("气球提示框1").BalloonShown());
    EXPECT_EQ(p.C("气球提示框1").Document(), "请先开启共享");
    EXPECT_EQ(join["图片框二维码"].Picture(), "");

    p.PressStart();
    ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_TRUE(p.C("按钮扫码连接").Visible());
    EXPECT_TRUE(p.C("按钮扫码连接").Enabled());
    EXPECT_FALSE(join.Self().Visible());  // shown only when asked for

    ASSERT_TRUE(p.driver->Click("按钮扫码连接"));
    ExpectShows(p, "mylove", "5802741639");
    EXPECT_EQ(join["图片框二维码"].Picture(), "qr:WIFI:T:WPA;S:mylove;P:5802741639;;");
    // Placed over the main window and themed like it.
    const ui::Control main = p.app->Main().Self();
    EXPECT_GE(join.Self().Left(), main.Left());
    EXPECT_LE(join.Self().Left() + join.Self().Width(), main.Left() + main.Width() + 40);
    EXPECT_EQ(join.Themed(), p.app->Main().Themed());
    EXPECT_EQ(join.Hue(), p.app->Main().Hue());

    // Closed by the user, opened again from the menu.
    join.Self().SetVisible(false);
    ASSERT_TRUE(p.driver->Choose("扫码连接"));
    ExpectShows(p, "mylove", "5802741639");
}

TEST(JoinWindow, HoldsExactlyTheNameAndKeyGivenToNetsh) {
    // The start drops the first three spaces of each and trims what is left; the
    // double quote is refused before the start, every other character reaches netsh.
    // A key is ASCII, as netsh takes no other.
    struct Case {
        const char* typedSsid;
        const char* typedKey;
        const char* ssid;
        const char* key;
        const char* joinText;
    };
    const Case cases[] = {
        {"a b c;d:e\\f, g h", "k;e:y\\,1 2", "abc;d:e\\f,g h", "k;e:y\\,12",
         "WIFI:T:WPA;S:abc\\;d\\:e\\\\f\\,g h;P:k\\;e\\:y\\\\\\,12;;"},
        {" my  hot spot 5G ", "pass word w i", "myhot spot 5G", "passwordwi",
         "WIFI:T:WPA;S:myhot spot 5G;P:passwordwi;;"},
        {"我的;热点", "a,b;c:d\\e12", "我的;热点", "a,b;c:d\\e12",
         "WIFI:T:WPA;S:我的\\;热点;P:a\\,b\\;c\\:d\\\\e12;;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typedSsid);
        Program p(kWindows7);
        p.Idle(5, "无线网络连接", c.typedSsid, c.typedKey);
        p.PressStart();
        ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
        EXPECT_TRUE(Ran(p, Configure(c.ssid, c.key)));
        EXPECT_EQ(p.laptop->Snapshot().hosted.ssid, c.ssid);
        EXPECT_EQ(p.Session().ssid, c.ssid);
        EXPECT_EQ(p.Session().key, c.key);
        ASSERT_TRUE(p.driver->Click("按钮扫码连接"));
        ExpectShows(p, c.ssid, c.key);
        EXPECT_EQ(Join(p)["图片框二维码"].Picture(), std::string("qr:") + c.joinText);
    }
}

TEST(JoinWindow, TheStopClosesItAndForgetsTheCode) {
    Program p(kWindows7);
    p.Idle(5, "无线网络连接");
    p.PressStart();
    ASSERT_TRUE(p.driver->Click("按钮扫码连接"));
    ASSERT_TRUE(Join(p).Self().Visible());

    p.PressStart();  // the same button stops sharing
    ASSERT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_FALSE(Join(p).Self().Visible());
    EXPECT_EQ(Join(p)["图片框二维码"].Picture(), "");
    EXPECT_EQ(Join(p)["标签扫码名称"].Text(), "WiFi名称：");
    EXPECT_FALSE(p.C("按钮扫码连接").Visible());
    EXPECT_TRUE(p.Session().ssid.empty());
    EXPECT_TRUE(p.Session().key.empty());
    p.app->Main().Self().SetVisible(false);
    EXPECT_TRUE(p.driver->Choose("扫码连接"));
    EXPECT_FALSE(Join(p).Self().Visible());

    // A second start with another name shows the new code, never the old one.
    p.C("编辑框名称").SetEnabled(true);
    p.C("编辑框密码").SetEnabled(true);
    p.C("编辑框名称").SetText("second");
    p.C("编辑框密码").SetText("87654321");
    p.PressStart();
    ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
    ASSERT_TRUE(p.driver->Choose("扫码连接"));
    ExpectShows(p, "second", "87654321");
}

TEST(JoinWindow, AFailedStartOffersNoCode) {
    Program p(R"(windows 7
radio off
connection 无线网络连接 kind=wifi
connection 本地连接 kind=ethernet status=2 address=192.168.1.20/24
upstream 本地连接
)");
    p.Idle(5, "本地连接");
    p.PressStart();
    ASSERT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_FALSE(p.C("按钮扫码连接").Visible());
    EXPECT_TRUE(p.Session().ssid.empty());
    p.app->Main().Self().SetVisible(false);
    EXPECT_TRUE(p.driver->Choose("扫码连接"));
    EXPECT_FALSE(Join(p).Self().Visible());
    EXPECT_FALSE(p.C("气球提示框1").BalloonShown());
}

TEST(JoinWindow, TheLayoutHoldsTheCodeAndTheTexts) {
    ui::Window join(app::JoinWindowLayout());
    EXPECT_EQ(join.Self().Name(), app::kJoinWindowName);
    EXPECT_FALSE(join.Self().Visible());
    EXPECT_EQ(join["标签扫码标题"].Text(), "扫码连接WiFi");
    EXPECT_EQ(join["标签扫码说明"].Text(), "用手机相机或微信扫一扫，即可连上热点");
    const ui::Control picture = join["图片框二维码"];
    EXPECT_EQ(picture.GetKind(), ui::Kind::Picture);
    EXPECT_EQ(picture.Width(), picture.Height());
    // Every control lies inside the window's client area (its frame takes some 30 px
    // at 96 DPI, and grows with the DPI as the window does) at 100, 125 and 150 %.
    for (const int dpi : {96, 120, 144}) {
        ui::Window scaled(app::JoinWindowLayout(), dpi);
        for (int i = 1; i < scaled.ControlCount(); ++i) {
            const ui::Control c = scaled.At(i);
            SCOPED_TRACE(c.Name() + " at " + std::to_string(dpi));
            EXPECT_LE(c.Left() + c.Width(), scaled.Self().Width() - scaled.Scaled(6));
            EXPECT_LE(c.Top() + c.Height(), scaled.Self().Height() - scaled.Scaled(30));
        }
        const ui::Control code = scaled["图片框二维码"];
        EXPECT_EQ(code.Width(), code.Height());
    }
}

}  // namespace
}  // namespace hs::hotspot::testing
