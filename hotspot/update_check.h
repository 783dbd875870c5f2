// The update server: the newer-version check and the announcement.
#pragma once

#include <string>

#include "app/app.h"

namespace hs::hotspot {

// This program's version.
inline constexpr const char* kCurrentVersion = "1.0";

// The address of a page of the update server: scheme and host, the path pieces,
// the page suffix.
std::string UpdateServerAddress(const app::App& app, const std::string& path);

// A version text as a number: its leading number, 0 when it has none.
double VersionNumber(const std::string& text);

// Asks the server for the newest version and, when it is newer and the user wants
// it, opens the download page and ends the program. True when the program ends.
bool CheckForUpdate(app::App& app);

// Shows the server's announcement in 简单超文本框1, or the built-in help when it
// cannot be fetched.
void ShowAnnouncement(app::App& app);

// The built-in help: running as administrator, the wireless switch, the driver.
extern const char* const kBuiltInHelp;

}  // namespace hs::hotspot
