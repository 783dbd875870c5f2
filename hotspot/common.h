// Small helpers the hosted-network procedures share: trimming, balloon tips, the
// first-asterisk escape, and the idle look of the start controls.
#pragma once

#include <string>

#include "app/app.h"

namespace hs::hotspot {

// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string Trim(const std::string& text);

// Whether `text` contains `needle`, byte for byte.
inline bool Contains(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

// The name with its first "*" (only the first) written "\*", so that it can stand
// in a regular expression for a connection name such as "本地连接* 12".
std::string EscapeFirstAsterisk(const std::string& name);

// Pops up the main window's balloon tip at (left + dx, top + dy) of the main window.
void PopBalloon(app::App& app, const std::string& text, int dx, int dy);

// The idle start controls: caption "开启共享", enabled, status timer stopped and the
// idle status picture.
void ShowIdleButton(app::App& app);

// The idle status: "未启动", animation stopped, idle picture, name and password
// editable.
void ShowIdleStatus(app::App& app);

}  // namespace hs::hotspot
