// Starting the hotspot: the start button and the start procedure on its own worker.
#pragma once

#include <string>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// The help appended to the failure message of a start the system refused.
extern const char* const kStartFailureHelp;
// What the user is told when the hosted network runs but sharing could not be
// switched on.
extern const char* const kSharingFailedText;

// 按钮开始 clicked: "开启共享" checks the name and password and starts the start
// procedure on the start worker; "关闭共享" ends what is left of a start, empties the
// client list, stops its timer, zeroes the baselines and stops sharing.
void OnStartButtonClicked(Hotspot& hotspot);

}  // namespace hs::hotspot
