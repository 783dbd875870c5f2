// The window that shows the QR code a phone's camera joins the hotspot with, beside
// the network name and the password as text. It opens from the main page's button
// "扫码连接", which is shown only while sharing runs, and from the notification-area
// menu; it closes when sharing stops, so it never shows the code of an earlier start.
#pragma once

#include <string>

#include "hotspot/hotspot.h"
#include "ui/model.h"

namespace hs::app {

class App;

// The picture id that draws the join QR code of `ssid` and `key`.
std::string JoinPictureId(const std::string& ssid, const std::string& key);

// Fills `join` from the running session and shows it, placed over the main window and
// themed like it. While sharing is not running (the session has no network name),
// the main window's balloon says so when the main window is visible; nothing opens.
// Returns whether the window was opened.
bool OpenJoinWindow(App& app);

// Sharing started: the main page's button appears.
void JoinSharingStarted(ui::Window& main);
// Sharing stopped: the button goes, the window closes and forgets the code, and the
// session's network name and key are emptied.
void JoinSharingStopped(App& app);

// Hooks the two functions above onto the hotspot's start and stop notifications,
// after whatever is already hooked there.
void ChainJoinWindow(App& app);

}  // namespace hs::app
