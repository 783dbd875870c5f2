// The update server: the newer-version check and the announcement. The fetching runs
// on the preparation worker; what it found is applied on the window thread.
#pragma once

#include <string>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// This program's version.
inline constexpr const char* kCurrentVersion = "1.0";

// The address of a page of the update server: scheme and host, the path pieces,
// the page suffix.
std::string UpdateServerAddress(const UpdateUrl& url, const std::string& path);

// A version text as a number: 0 unless it is a plain decimal version.
double VersionNumber(const std::string& text);

// What the update page offers.
struct UpdateOffer {
    bool newer = false;
    std::string version;  // between 【版本开始】 and 【版本结束】
    std::string address;  // between 【地址开始】 and 【地址结束】, trimmed
};

// Asks the server's update page (root + "/lanz" + update piece) for the newest version
// and pauses 1000 ms. Worker side; touches nothing.
UpdateOffer FetchUpdateOffer(Host& host, const UpdateUrl& url, const std::string& rootPath,
                             const std::string& updatePath);

// Said when the user wants an update whose download address is no http or https
// address: there is nothing that may be opened.
inline constexpr const char* kInvalidUpdateAddressText = "更新地址无效，请到官网下载";

// On the preparation worker: when the offer is newer, asks the user (a yes/no box on
// the window thread) and, when they want it, has the window thread open the download
// page, hide the main window, return to idle and end the program. True when the
// program ends. When the address is no web address, the user is told so and the
// program goes on as it was, hotspot included.
bool OfferUpdate(Hotspot& hotspot, const UpdateOffer& offer);

// The server's announcement page (root + "/lanz/gonggao"), or the built-in help when
// it cannot be fetched. Worker side.
std::string FetchAnnouncement(Host& host, const UpdateUrl& url, const std::string& rootPath);

// The built-in help: running as administrator, the wireless switch, the driver.
extern const char* const kBuiltInHelp;

}  // namespace hs::hotspot
