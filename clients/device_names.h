// Device names: the names file "c:\wifiname.txt", the names the client list gives
// the devices it finds, and the renames of the name editor.
//
// The names file holds one line per device, its hardware address + "+" + its name,
// GBK, lines separated by CR LF. A device's line is the first line whose address part
// (its text before the first "+") holds the device's address, letter case ignored;
// its name is everything after the line's first 18 bytes, so a name may itself hold
// "+", and a name that holds another device's address is not that device's line. An empty name
// means no name is saved. A missing file is an empty one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "clients/data_file.h"
#include "platform/host.h"

namespace hs::clients {

// The domain suffix under which Windows connection sharing registers the host names
// of the devices it serves.
inline constexpr const char* kSharingDnsSuffix = ".mshome.net";

inline constexpr const char* kUnknownDevice = "未知设备";
inline constexpr const char* kAndroidDevice = "安卓设备";
inline constexpr const char* kAppleDevice = "苹果设备";

// The longest name shown or saved, in bytes of the GBK file (one per ASCII
// character, two per other character).
inline constexpr size_t kNameLimitBytes = 63;

// A name from an untrusted source (a phone's own host name, the editor's text) made
// safe to show and to save: control characters (C0, DEL, C1, the Unicode line and
// paragraph separators) and bytes that are not UTF-8 dropped, then cut to
// kNameLimitBytes without splitting a character.
std::string SanitizeName(std::string_view utf8);

// The same without the cut: what a name read from the file may show.
std::string DropControlCharacters(std::string_view utf8);

// The name a device gets from its host name (the lookup after a ping was answered):
// the host name without the first occurrence of the sharing suffix (letter case
// ignored); "未知设备" when nothing is left, "安卓设备" when it holds "android",
// "苹果设备" when it holds "ipho" (both letter case ignored), else that text. The
// host name is sanitised first, the result is cut to the limit.
std::string NameFromHostName(std::string_view hostName);

// The saved name of the device in the names file's bytes (UTF-8, control
// characters dropped); empty when the file has no line for it or the line holds no
// name.
std::string SavedName(std::string_view fileBytes, std::string_view address, TextCodec& codec);

// Reads the names file and gives the device's saved name; empty when the file is
// missing or unreadable.
std::string ReadSavedName(Host& host, std::string_view address);

// The client list has found `name` for a device that had no saved name: replaces
// the device's line with address + "+" + name, or appends CR LF + that line to the
// file (so a new file starts with an empty line). Returns the name the device shows:
// `name`, or the name that was saved for it in the meantime (by the editor), which
// is then kept. Nothing is written when the file cannot be read.
std::string SaveFoundName(Host& host, const std::string& address, const std::string& name);

// What a rename did.
struct Rename {
    std::string name;    // the editor's text, sanitised: what the name cell shows
    bool saved = false;  // the device's line was rewritten
};

// The name editor's save for the device with this address: replaces the device's
// line with address + "+" + the sanitised text when the file has a line for it;
// never appends. An empty address saves nothing.
Rename SaveDeviceName(Host& host, const std::string& address, std::string_view editorText);

}  // namespace hs::clients
