// Starting the hotspot: the start button and the start procedure on its own worker.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "hotspot/hotspot.h"
#include "traffic/traffic_meter.h"

namespace hs::hotspot {

// The help appended to the failure message of a start the system refused.
extern const char* const kStartFailureHelp;
// What the user is told when the hosted network runs but sharing could not be
// switched on.
extern const char* const kSharingFailedText;
// The result code of a sharing that Windows refuses until it was switched on once by
// hand in the connection's properties.
inline constexpr uint32_t kSharingNeverEnabledByHand = 0x80040201;
// kSharingFailedText, plus the system's result code and, for the one above, what to do.
std::string SharingFailedText(uint32_t code);

// What the window holds when the start button is pressed: the name and password as
// typed, and the upstream connection shown.
struct StartRequest {
    std::string name;
    std::string password;
    std::string upstream;
};

// A Mobile Hotspot that was on already when the program started, as the window shows it.
struct RunningHotspot {
    std::string hostedName;
    backend::HostedInterface hosted;
    std::optional<traffic::CounterReading> baselines;
    std::string ssid;
    std::string key;
};

// Its adapter, interface and counters, and the name and key last saved; makes the Mobile
// Hotspot the way every later step uses. Worker.
RunningHotspot ReadRunningHotspot(Hotspot& hotspot);
// Shows it as a start's success shows a running hotspot (the stop button ends it).
// Window thread.
void ShowRunningHotspot(Hotspot& hotspot, const RunningHotspot& running);

// The start button clicked: while the hotspot runs ("关闭共享") it ends what is left
// of the start, empties the client list, zeroes the baselines and stops sharing;
// otherwise ("开启共享") it checks the name and password and starts the start
// procedure on the start worker.
void OnStartButtonClicked(Hotspot& hotspot, const StartRequest& request);

}  // namespace hs::hotspot
