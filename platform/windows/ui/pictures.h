// The program's own pictures, drawn in code: the window icon, the status pictures,
// the notification-area icons, the two arrows and the traffic bar's background.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace hs::win::ui {

// Pixels as 0xAARRGGBB, rows top to bottom. Straight (not premultiplied) alpha.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

// The sizes of the notification-area icons RenderPicture draws.
inline constexpr int kTrayIconMin = 16;
inline constexpr int kTrayIconMax = 64;

// Renders picture `id` (a kPicture... id of ui/model.h). `size` is the size of the
// notification-area icons (kTrayIconMin to kTrayIconMax, else kTrayIconMin), as the
// system asks for them; the window icon has one size; the other pictures have their
// size at 96 DPI and are drawn at `dpi`, scaled by dpi/96 (exactly as they are at 96).
// An empty result (width 0) for an unknown id.
Pixels RenderPicture(const std::string& id, int size = 0, int dpi = 96);

// A cached icon of the picture, owned by the cache (never destroy it).
HICON PictureIcon(const std::string& id, int size = 0, int dpi = 96);
// A cached opaque bitmap of the picture at `dpi`, owned by the cache.
HBITMAP PictureBitmap(const std::string& id, int dpi = 96);
// The region of the picture's pixels (at `dpi`) that are not magenta (255, 0, 0, 255);
// the caller owns it (SetWindowRgn takes it over).
HRGN PictureRegion(const std::string& id, int dpi = 96);

}  // namespace hs::win::ui
