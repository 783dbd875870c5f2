// Every entry of the settings file, with the default a reader gets when it is absent,
// declared once. Readers and writers name an entry, never its section and key.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_file.h"

namespace hs::settings {

struct SettingKey {
    const char* section;
    const char* key;
    const char* defaultValue;  // "" where the entry has no default
};

// The skin hue: slider position 0-340 as decimal text.
inline constexpr SettingKey kSkinColour{"skin", "color", "310"};
// "监控" or "不监控".
inline constexpr SettingKey kMonitor{"monitor", "monitor", "监控"};
// The traffic bar shown: "是" or "否".
inline constexpr SettingKey kShowBar{"流量条", "是否开", "否"};
// "1" shows the password, "2" masks it.
inline constexpr SettingKey kShowPassword{"xsmm", "mm", ""};
// The hotspot's network name and password, saved at every start. The password has no
// default: a first start generates one (settings/generated_key.h).
inline constexpr SettingKey kSsid{"user", "ssid", "mylove"};
inline constexpr SettingKey kKey{"user", "key", ""};
// "1" remembers the chosen upstream connection, "2" chooses automatically.
inline constexpr SettingKey kRememberUpstream{"xzk2", "xz", ""};
// The remembered upstream connection's name.
inline constexpr SettingKey kUpstreamName{"kdmc", "kdmc", ""};
// The traffic bar's position, left + "|" + top.
inline constexpr SettingKey kBarPosition{"flowposition", "xy", ""};
// The hosted-adapter override: "1" in the first switches it on, the second names the
// connection to use.
inline constexpr SettingKey kAdapterOverride{"1", "1", ""};
inline constexpr SettingKey kAdapterOverrideName{"1", "2", ""};
// The notice when a device joins: "1" on (the default), "0" off.
inline constexpr SettingKey kJoinNotice{"tulawifi", "joinnotice", "1"};
// The way the hotspot is switched on: "hosted" the wireless driver's Hosted Network,
// "mobile" the Windows 10/11 Mobile Hotspot; empty (the default) or anything else
// decides from the driver and the system.
inline constexpr SettingKey kHotspotBackend{"tulawifi", "backend", ""};

inline std::string ReadSetting(Host& host, const SettingKey& entry) {
    return ReadSetting(host, entry.section, entry.key, entry.defaultValue);
}

inline bool WriteSetting(Host& host, const SettingKey& entry, std::string_view value) {
    return WriteSetting(host, entry.section, entry.key, value);
}

}  // namespace hs::settings
