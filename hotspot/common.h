// Small helpers the hosted-network procedures share: trimming, the literal pattern of
// a connection name, balloon tips and the idle look of the start controls.
#pragma once

#include <string>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string Trim(const std::string& text);

// Whether `text` contains `needle`, byte for byte.
inline bool Contains(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

// The text with every character that means something in a regular expression written
// with a backslash before it, so that a connection name such as "本地连接* 12" or
// "热点(WiFi)" stands for itself in a pattern.
std::string EscapeLiteral(const std::string& text);

// Pops up the main window's balloon tip at (left + dx, top + dy) of the main window.
void PopBalloon(Hotspot& hotspot, const std::string& text, int dx, int dy);

// The idle start controls: caption "开启共享", enabled, status timer stopped and the
// idle status picture.
void ShowIdleButton(Hotspot& hotspot);

// The running window: caption "关闭共享", "已启动" in green, the running status picture
// and tray icon, name, password and upstream locked.
void ShowRunning(Hotspot& hotspot);

// The idle status: "未启动", animation stopped, idle picture, name and password
// editable.
void ShowIdleStatus(Hotspot& hotspot);

}  // namespace hs::hotspot
