// Fonts of the windows, with a fallback when a face is not installed.
#pragma once

#include <windows.h>

#include <string>

namespace hs::win::ui {

// Whether a font family named `face` is installed.
bool FontInstalled(const std::wstring& face);

// The face actually used for `face`: itself when installed; otherwise a CJK face
// that is present ("微软雅黑", "WenQuanYi Micro Hei", "SimSun"), or "" for the
// default GUI font.
std::wstring ResolveFace(const std::string& face);

// A cached font (owned by the cache): `face` ("" = the default face, Verdana) at
// `points`, optionally bold, for a window drawn at `dpi`: its height is the height at
// 96 DPI scaled by dpi/96 as the layout's rectangles are (ScaleToDpi), so text and
// boxes grow together.
HFONT FontFor(const std::string& face, int points = 9, bool bold = false, int dpi = 96);

}  // namespace hs::win::ui
