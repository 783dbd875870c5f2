#include "hotspot/stop_sharing.h"

#include "hotspot/common.h"
#include "hotspot/sharing_config.h"
#include "sys/command.h"
#include "sys/dispatcher.h"

namespace hs::hotspot {

void StopSharing(Hotspot& hotspot) {
    Controls& c = hotspot.C();
    c.start.SetEnabled(false);
    c.start.SetText("开启共享");
    c.upstream.SetEnabled(true);
    ShowIdleStatus(hotspot);
    hotspot.GetSession().upstreamAtLastStop = c.upstream.Text();
    RunCommand(hotspot.GetHost(), "netsh wlan stop hostednetwork");
    c.start.SetEnabled(true);
    hotspot.Main().SetTrayIcon(ui::kPictureTrayIdle, "未开启共享");
}

void ResetToIdle(Hotspot& hotspot, int64_t waitMs) {
    Controls& c = hotspot.C();
    c.start.SetEnabled(true);
    c.start.SetText("开启共享");
    ShowIdleStatus(hotspot);
    // A running start is asked to end and waited for, so that none of its later steps
    // can switch sharing on again; whatever it posts from now on is dropped.
    hotspot.startTask.RequestStop();
    WaitPumping(hotspot.startTask, hotspot.GetDispatcher(), waitMs);
    c.wiredNames.SetText(
        DisableAllSharing(hotspot.GetHost(), hotspot.Windows8(), c.wiredNames.Text()));
}

}  // namespace hs::hotspot
