#include "clients/monitor.h"

#include "clients/client_pass.h"
#include "settings/settings_file.h"

namespace hs::clients {

bool MonitorSaved(Host& host) {
    return settings::ReadSetting(host, kMonitorSection, kMonitorKey, kMonitorOnValue) ==
           kMonitorOnValue;
}

bool SaveMonitor(Host& host, bool on) {
    return settings::WriteSetting(host, kMonitorSection, kMonitorKey,
                                  on ? kMonitorOnValue : kMonitorOffValue);
}

int MonitorOnInterval(bool sharingCompleted) {
    return sharingCompleted ? kRefreshIntervalMs : 0;
}

}  // namespace hs::clients
