// The timed shutdown on the page "主界面": `选择框关机` arms and disarms it, the delay
// in minutes comes from `编辑框关机`, `标签关机` shows the time left and `时钟关机`
// counts it down once a second.
#pragma once

#include <cstdint>

#include "app/app.h"
#include "ui/model.h"

namespace hs::app {

inline constexpr int kShutdownTickMs = 1000;
// The main window comes into view this many seconds before the end.
inline constexpr int kShowWindowSecondsLeft = 45;
// Sharing is switched off at one second left, and the shutdown asked for this much
// later.
inline constexpr int64_t kShutdownPauseMs = 2000;

inline constexpr const char* kBadDelayBalloon = "关机时间请输入大于0的分钟数哦！";
// A positive delay that is less than one second once truncated to whole seconds.
inline constexpr const char* kShortDelayBalloon = "关机时间请输入至少1秒哦！";
inline constexpr const char* kShutdownRefusedText = "Windows拒绝了关机请求，定时关机已取消。";
inline constexpr const char* kShutdownRefusedCaption = "定时关机";

// `选择框关机` clicked. Checked: the delay is read, the label shows it and the
// countdown starts; a delay of exactly one second is already at its end, so sharing
// goes off at once and the shutdown follows after the usual pause. A delay that is
// not a positive number, or is shorter than one second, is refused with a balloon and
// the box unchecked again. Unchecked: the label is hidden and the countdown stops.
void ShutdownCheckChanged(App& app, const ui::EventArgs& args);

// A tick of `时钟关机`: one second off; at 45 seconds left the main window comes into
// view; at 1 second left the countdown stops, sharing is switched off and, two seconds
// later, the system is asked to shut down. When the system refuses, the user is told
// and the shutdown is disarmed.
void ShutdownTick(App& app, const ui::EventArgs& args);

}  // namespace hs::app
