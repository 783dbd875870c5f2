// The two timers of the start: the status animation and the success message.
#pragma once

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// 时钟状态 (500 ms while starting): shows frames 1 to 5 in turn.
void OnStatusTimer(Hotspot& hotspot);

// 时钟启动成功提示 (once, 5 s after success): hides the success message.
void OnSuccessTipTimer(Hotspot& hotspot);

}  // namespace hs::hotspot
