// Starting the hotspot: the start button and the start procedure on its own thread.
#pragma once

#include <string>

#include "app/app.h"

namespace hs::hotspot {

// The help appended to the failure message of a start the system refused.
extern const char* const kStartFailureHelp;
// What the user is told when the hosted network runs but sharing could not be
// switched on.
extern const char* const kSharingFailedText;

// 按钮开始 clicked: "开启共享" starts StartSharing on the start thread; "关闭共享"
// empties the client list, stops its timer, zeroes the baselines and stops sharing.
void OnStartButtonClicked(app::App& app);

// The start procedure: checks the name and password, configures and starts the
// hosted network, finds its adapter, switches sharing on, sets the static address
// when the adapter still uses DHCP, and shows success or failure. Runs on the start
// thread and ends early, without touching the window, once a stop is asked.
void StartSharing(app::App& app);

// True on the thread that runs StartSharing.
bool OnStartThread();

}  // namespace hs::hotspot
