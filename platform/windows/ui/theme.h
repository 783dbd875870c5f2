// The colours a window is painted with: the theme palette turned by the window's
// hue, or the system's own colours for an unthemed window.
#pragma once

#include <windows.h>

#include "ui/palette.h"

namespace hs::win::ui {

inline COLORREF ToColorRef(hs::ui::Colour c) {
    return RGB(c.r, c.g, c.b);
}

class Theme {
  public:
    Theme() = default;
    ~Theme();
    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;

    // Recomputes the colours: ThemePalette(hue) when themed, else system colours.
    void Update(bool themed, int hue);

    bool Themed() const { return themed_; }
    const hs::ui::Palette& Colours() const { return palette_; }
    COLORREF Background() const { return ToColorRef(palette_.window); }
    COLORREF Text() const { return ToColorRef(palette_.text); }
    HBRUSH BackgroundBrush() const { return backgroundBrush_; }
    HBRUSH EditBrush() const { return editBrush_; }
    HBRUSH FaceBrush() const { return faceBrush_; }

  private:
    bool themed_ = false;
    hs::ui::Palette palette_;
    HBRUSH backgroundBrush_ = nullptr;
    HBRUSH editBrush_ = nullptr;
    HBRUSH faceBrush_ = nullptr;
};

}  // namespace hs::win::ui
