#include "hotspot/stop_sharing.h"

#include "hotspot/common.h"
#include "hotspot/sharing_config.h"
#include "hotspot/start_sharing.h"
#include "sys/command.h"
#include "sys/worker.h"

namespace hs::hotspot {

void StopSharing(app::App& app) {
    ui::Window& main = app.Main();
    ui::Control start = main["按钮开始"];
    start.SetEnabled(false);
    start.SetText("开启共享");
    main["组合框1"].SetEnabled(true);
    ShowIdleStatus(app);
    const std::string upstream = main["组合框1"].Text();
    app.UpdateSession([&](app::Session& s) { s.upstreamAtLastStop = upstream; });
    RunCommand(app.GetHost(), "netsh wlan stop hostednetwork");
    start.SetEnabled(true);
    main.SetTrayIcon(ui::kPictureTrayIdle, "未开启共享");
}

void ResetToIdle(app::App& app) {
    // A running start is ended first, so that none of its later steps can write
    // over the idle window.
    if (!OnStartThread()) {
        WorkerHandle running;
        {
            std::lock_guard<std::mutex> lock(app.startThreadMutex);
            running = app.startThread;
            app.startThread.reset();
        }
        // Asked to stop, the start ends at its next step without touching the window.
        KillThread(running);
    }
    ui::Control start = app.Main()["按钮开始"];
    start.SetEnabled(true);
    start.SetText("开启共享");
    ShowIdleStatus(app);
    DisableAllSharing(app);
}

}  // namespace hs::hotspot
