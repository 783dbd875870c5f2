// The upstream connection: which connection leads to the Internet, the automatic
// choice, the remembered choice and the handlers of its controls.
#pragma once

#include "app/app.h"

namespace hs::hotspot {

// What the system says about reaching the Internet, the name trimmed.
InternetState QueryInternetConnection(Host& host);

// Puts the name of the connection that reaches the Internet into 组合框1 (empty when
// the system says it is not connected). "LAN 连接" is not a connection's name: the
// wired connection's name collected in 编辑框去除多个本地 takes its place.
void DetectUpstream(app::App& app);

// The automatic choice: the first of "Wi-Fi", "无线网络连接", "ChinaNetSNWide", "宽带连接"
// in the list of 组合框1; else the detected connection, asked up to three times.
void ChooseUpstream(app::App& app);

// 组合框1 lost the focus: corrects the usual typing slips ("宽带连接2") and saves it.
void OnUpstreamFocusLost(app::App& app);

// 选择框2 clicked: remembers the shown choice, or forgets it and chooses anew.
void OnRememberUpstreamClicked(app::App& app);

// 按钮查看连接 clicked: opens the system's network connections window.
void OnViewConnectionsClicked(app::App& app);

}  // namespace hs::hotspot
