// The monitor switch: whether the client list runs while sharing is up. Saved in the
// settings file, section "monitor", key "monitor": "监控" (on, the default) or
// "不监控" (off).
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::clients {

inline constexpr const char* kMonitorSection = "monitor";
inline constexpr const char* kMonitorKey = "monitor";
inline constexpr const char* kMonitorOnValue = "监控";
inline constexpr const char* kMonitorOffValue = "不监控";

// The saved choice: true unless the settings file says anything but "监控".
bool MonitorSaved(Host& host);

// Saves the choice.
bool SaveMonitor(Host& host, bool on);

// The client-list timer's interval after monitoring was switched on: 10000 ms when
// sharing has been started successfully in this run, else 0 (the start turns it on
// later).
int MonitorOnInterval(bool sharingCompleted);

}  // namespace hs::clients
