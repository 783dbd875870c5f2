#include "app/startup.h"

#include <string>

#include "app/clients_view.h"
#include "app/os_version.h"
#include "app/theme.h"
#include "app/update_server.h"
#include "clients/data_file.h"
#include "settings/generated_key.h"
#include "settings/keys.h"

namespace hs::app {

namespace {

constexpr int kRed[3] = {255, 0, 0};
constexpr int kGreen[3] = {9, 124, 37};

void AttachTips(ui::Window& main) {
    main["编辑框名称"].SetTip("请输入英文或数字，部分手机可能无法识别中文");
    // The password field's tip is drawn in a style of its own.
    main["编辑框密码"].SetTip("密码不能少于8位数", true);
    main["选择框2"].SetTip(
        "通常软件能智能匹配连网方式，若发现不对，\r\n请自行选择，并勾选这个，以后就记住这个连网了");
    main["单选框监控"].SetTip("显示用户和拦截黑名单，建议开启");
    main["单选框不监控"].SetTip("不显示用户，不拦截黑名单，安静模式");
}

}  // namespace

void MainWindowCreated(App& app) {
    Host& host = app.GetHost();
    ui::Window& main = app.Main();

    hotspot::UpdateUrl& url = app.Hotspot().updateUrl;
    url = UpdateUrlPieces();
    if (!app.updateHostOverride.empty()) {
        // The three host pieces only ever appear joined: the whole override takes the
        // first, the other two stay empty.
        url[1] = app.updateHostOverride;
        url[2].clear();
        url[3].clear();
    }

    // A second instance restores the first and ends; it looks before setting its own
    // title, so it never finds itself.
    if (host.desktop != nullptr && host.desktop->RestoreExistingWindow(kProgramTitle)) {
        app.Quit(0);
        return;
    }
    main.Self().SetText(kProgramTitle);

    // What a write killed half-way left beside the program's files goes first.
    if (host.files != nullptr) {
        for (const char* path :
             {settings::kSettingsPath, clients::kBlacklistPath, clients::kNamesPath}) {
            host.files->RemoveStaleTemporaries(path);
        }
    }

    const int colour =
        settings::SettingToInteger(settings::ReadSetting(host, settings::kSkinColour));
    if (settings::ReadSetting(host, settings::kMonitor) == "监控") {
        main["单选框监控"].SetChecked(true);
    } else {
        main["单选框不监控"].SetChecked(true);
    }
    main["选择框显示流量"].SetChecked(settings::ReadSetting(host, settings::kShowBar) == "是");

    // The slider holds the stored number within its range; the label shows where it
    // stopped, while the hue uses the stored number itself.
    ui::Control slider = main["滑块条色调"];
    slider.SetPosition(colour);
    main["透明标签位置"].SetText(HueLabel(slider.Position()));
    AttachSkin(main, colour - kHueOffset);

    SetTitleColour(main["分组框2"], kRed[0], kRed[1], kRed[2]);
    SetTitleColour(main["分组框1"], kRed[0], kRed[1], kRed[2]);
    SetTitleColour(main["分组框3"], kRed[0], kRed[1], kRed[2]);
    SetTitleColour(main["分组框4"], kGreen[0], kGreen[1], kGreen[2]);
    SetTitleColour(main["分组框6"], kGreen[0], kGreen[1], kGreen[2]);

    app.Clients().LoadBlacklist();
    AttachTips(main);

    ui::Control showPassword = main["选择框1"];
    ui::Control password = main["编辑框密码"];
    if (showPassword.Checked())
        password.SetInputMode(ui::kPlainInput);

    main["标签9"].SetText("未启动");
    main["图片框状态"].SetPicture(ui::kPictureStatusIdle);

    const std::string shown = settings::ReadSetting(host, settings::kShowPassword);
    main["编辑框名称"].SetText(settings::ReadSetting(host, settings::kSsid));
    password.SetText(settings::KeyAtStart(host));
    if (shown == "1") {
        showPassword.SetChecked(true);
        password.SetInputMode(ui::kPlainInput);
    } else if (shown == "2") {
        showPassword.SetChecked(false);
        password.SetInputMode(ui::kPasswordInput);
    }

    const OsVersion version = host.system != nullptr ? host.system->Version() : OsVersion{};
    if (EnvironmentCategory(version) == kWindowsXpCategory) {
        // The program stays open but unusable: no preparation, the button stays disabled.
        main["标签操作系统"].SetVisible(true);
        ui::Control start = main["按钮开始"];
        start.SetEnabled(false);
        start.SetText("开启共享");
        return;
    }
    app.Hotspot().osVersionCode = OsVersionCode(version);

    // Started last, so it reads a filled window.
    StartPreparation(app);
}

}  // namespace hs::app
