// The colour theme: the main window's palette turned by a hue, coloured group-box
// captions, and the traffic bar left unthemed. These procedures only write the
// control model; the front end paints from it.
#pragma once

#include <string>

#include "platform/host.h"
#include "ui/model.h"

namespace hs::app {

// The hue is the slider position minus this offset, so positions 0..340 give -160..180.
inline constexpr int kHueOffset = 160;
// Where "恢复默认" puts the slider.
inline constexpr int kDefaultHuePosition = 260;

// Themes `window` with its palette turned by `hue`.
void AttachSkin(ui::Window& window, int hue);
// Colours a group box's caption.
void SetTitleColour(ui::Control groupBox, int red, int green, int blue);
// Keeps `window` out of the theme (the traffic bar).
void DetachSkin(ui::Window& window);

// "[" + (position - 160) + "]", the label beside the slider.
std::string HueLabel(int position);

// `滑块条色调` position changed: applies the slider's position as the hue, saves it
// as "color" and shows it in `透明标签位置`.
void ApplyHuePosition(Host& host, ui::Window& main);
// `按钮色调` ("恢复默认") clicked: puts the slider at 260 and applies it.
void RestoreDefaultHue(Host& host, ui::Window& main);

}  // namespace hs::app
