#include "hotspot/preparation.h"

#include "hotspot/services.h"
#include "hotspot/sharing_config.h"
#include "hotspot/update_check.h"
#include "hotspot/upstream.h"
#include "settings/settings_file.h"
#include "sys/worker.h"

namespace hs::hotspot {

namespace {

constexpr int kDemandStart = 3;
constexpr int kAutoStart = 2;

// The remembered upstream choice wins over the automatic one.
void RestoreRememberedUpstream(app::App& app) {
    Host& host = app.GetHost();
    ui::Window& main = app.Main();
    if (settings::ReadSetting(host, "xzk2", "xz", "") == "1") {
        main["选择框2"].SetChecked(true);
        main["组合框1"].SetText(settings::ReadSetting(host, "kdmc", "kdmc", ""));
    } else {
        main["选择框2"].SetChecked(false);
    }
}

}  // namespace

void BackgroundPreparation(app::App& app) {
    ui::Window& main = app.Main();
    // Leftover sharing is off before the user can start anything.
    DisableAllSharing(app);
    if (StopRequested())
        return;
    ListConnections(app);
    ChooseUpstream(app);
    RestoreRememberedUpstream(app);
    if (StopRequested())
        return;

    ui::Control start = main["按钮开始"];
    start.SetEnabled(true);
    start.SetText("开启共享");
    main.SetTrayIcon(ui::kPictureTrayIdle, "未开启共享");

    app.UpdateSession([](app::Session& s) {
        s.serverRootPath = "/rjgx";
        s.serverUpdatePath = "/lanzgx";
    });
    if (CheckForUpdate(app) || StopRequested())
        return;
    ShowAnnouncement(app);
    if (StopRequested())
        return;
    EnsureService(app, "SharedAccess", kDemandStart, false);
    EnsureService(app, "MpsSvc", kAutoStart, true);
}

}  // namespace hs::hotspot
