#include "app/theme.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/show_password.h"
#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "settings/settings_file.h"
#include "tests/temp_folder.h"

namespace hs::app {
namespace {

ui::ControlSpec Spec(const char* name, ui::Kind kind, const char* caption = "") {
    ui::ControlSpec spec;
    spec.name = name;
    spec.kind = kind;
    spec.caption = caption;
    return spec;
}

// The few controls of the main window these procedures touch.
std::vector<ui::ControlSpec> SmallWindow() {
    std::vector<ui::ControlSpec> specs = {Spec("主窗口", ui::Kind::Window),
                                          Spec("透明标签位置", ui::Kind::TransparentLabel, "1"),
                                          Spec("滑块条色调", ui::Kind::Slider),
                                          Spec("按钮色调", ui::Kind::Button, "恢复默认"),
                                          Spec("选择框1", ui::Kind::CheckBox, "显示密码"),
                                          Spec("编辑框密码", ui::Kind::Edit, "5802741639"),
                                          Spec("分组框1", ui::Kind::GroupBox, "皮肤调色")};
    specs[2].maximum = 340;
    specs[4].checked = true;
    return specs;
}

class Theme : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = testing_support::FreshFolder("hs_theme");
        files = std::make_unique<sim::DirectoryFiles>(folder.string());
        host.codec = codec.get();
        host.files = files.get();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string Stored(const char* section, const char* key) {
        return settings::ReadSetting(host, section, key, "<absent>");
    }

    std::filesystem::path folder;
    std::unique_ptr<TextCodec> codec = MakeNativeCodec();
    std::unique_ptr<sim::DirectoryFiles> files;
    Host host;
    ui::Window main{SmallWindow()};
};

TEST_F(Theme, TheSliderTurnsTheHueSavesThePositionAndShowsTheOffset) {
    const struct {
        int position;
        int hue;
        const char* label;
    } cases[] = {{0, -160, "[-160]"}, {160, 0, "[0]"}, {310, 150, "[150]"}, {340, 180, "[180]"}};
    for (const auto& c : cases) {
        main["滑块条色调"].SetPosition(c.position);
        ApplyHuePosition(host, main);
        EXPECT_EQ(main.Hue(), c.hue);
        EXPECT_TRUE(main.Themed());
        EXPECT_EQ(main["透明标签位置"].Text(), c.label);
        // Written at every move, so the last position survives a forced end.
        EXPECT_EQ(Stored("skin", "color"), std::to_string(c.position));
    }
}

TEST_F(Theme, RestoreDefaultPutsTheSliderAt260) {
    main["滑块条色调"].SetPosition(12);
    RestoreDefaultHue(host, main);
    EXPECT_EQ(main["滑块条色调"].Position(), 260);
    EXPECT_EQ(main.Hue(), 100);
    EXPECT_EQ(main["透明标签位置"].Text(), "[100]");
    EXPECT_EQ(Stored("skin", "color"), "260");
}

TEST_F(Theme, CaptionColoursAndTheUnthemedBar) {
    SetTitleColour(main["分组框1"], 9, 124, 37);
    EXPECT_EQ(main["分组框1"].TitleColour(), (ui::Colour{9, 124, 37}));
    AttachSkin(main, -20);
    EXPECT_TRUE(main.Themed());
    EXPECT_EQ(main.Hue(), -20);
    DetachSkin(main);
    EXPECT_FALSE(main.Themed());
}

TEST_F(Theme, ShowPasswordMasksAndShowsAndSavesTheChoice) {
    ui::Control box = main["选择框1"];
    ui::Control password = main["编辑框密码"];
    box.SetChecked(false);  // what a click on the checked box does first
    OnShowPasswordClicked(host, main);
    EXPECT_EQ(password.GetInputMode(), ui::kPasswordInput);
    EXPECT_EQ(Stored("xsmm", "mm"), "2");
    box.SetChecked(true);
    OnShowPasswordClicked(host, main);
    EXPECT_EQ(password.GetInputMode(), ui::kPlainInput);
    EXPECT_EQ(Stored("xsmm", "mm"), "1");
}

}  // namespace
}  // namespace hs::app
