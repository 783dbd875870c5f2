// The upstream connection: which connection leads to the Internet, the automatic
// choice, the remembered choice and the handlers of its controls.
#pragma once

#include <string>
#include <vector>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// What the system says about reaching the Internet, the name trimmed.
InternetState QueryInternetConnection(Host& host);

// The name of the connection that reaches the Internet, as the system's query names
// it whether or not it says it is connected (the query is unreliable: a LAN it calls
// offline still has its name). "LAN 连接" is not a connection's name: the wired
// connection's name collected in 编辑框去除多个本地 (`wiredNames`) takes its place.
std::string DetectUpstream(Host& host, const std::string& wiredNames);

// The automatic choice: the first of "Wi-Fi", "无线网络连接", "ChinaNetSNWide", "宽带连接"
// among `items` (the list of 组合框1); else the detected connection, asked up to three
// times. Runs on any thread.
std::string ChooseUpstream(Host& host, const std::vector<std::string>& items,
                           const std::string& wiredNames);

// The upstream name with the usual typing slip corrected ("宽带连接2" is "宽带连接 2").
std::string CorrectedUpstream(const std::string& typed);

// The upstream box lost the focus holding `typed`: shows the corrected name when it
// differs and saves it.
void OnUpstreamFocusLost(Hotspot& hotspot, const std::string& typed);

// The remember box clicked: checked remembers `upstream`, the choice shown; unchecked
// forgets it and chooses anew among `items`, the connections listed.
void OnRememberUpstreamClicked(Hotspot& hotspot, bool remember, const std::string& upstream,
                               const std::vector<std::string>& items);

// 按钮查看连接 clicked: opens the system's network connections window.
void OnViewConnectionsClicked(Hotspot& hotspot);

}  // namespace hs::hotspot
