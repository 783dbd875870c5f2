#include "platform/windows/ui/theme.h"

namespace hs::win::ui {
namespace {

hs::ui::Colour System(int index) {
    const COLORREF c = GetSysColor(index);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

hs::ui::Palette SystemPalette() {
    hs::ui::Palette p;
    p.window = System(COLOR_BTNFACE);
    p.face = System(COLOR_BTNFACE);
    p.faceHot = System(COLOR_BTNHIGHLIGHT);
    p.facePressed = System(COLOR_BTNSHADOW);
    p.border = System(COLOR_BTNSHADOW);
    p.text = System(COLOR_BTNTEXT);
    p.disabledText = System(COLOR_GRAYTEXT);
    p.editBackground = System(COLOR_WINDOW);
    p.editText = System(COLOR_WINDOWTEXT);
    p.groupFrame = System(COLOR_BTNSHADOW);
    p.accent = System(COLOR_HIGHLIGHT);
    p.selection = System(COLOR_HIGHLIGHT);
    p.selectionText = System(COLOR_HIGHLIGHTTEXT);
    return p;
}

void Replace(HBRUSH& brush, hs::ui::Colour colour) {
    if (brush)
        DeleteObject(brush);
    brush = CreateSolidBrush(ToColorRef(colour));
}

}  // namespace

Theme::~Theme() {
    for (HBRUSH b : {backgroundBrush_, editBrush_, faceBrush_}) {
        if (b)
            DeleteObject(b);
    }
}

void Theme::Update(bool themed, int hue) {
    themed_ = themed;
    palette_ = themed ? hs::ui::ThemePalette(hue) : SystemPalette();
    Replace(backgroundBrush_, palette_.window);
    Replace(editBrush_, palette_.editBackground);
    Replace(faceBrush_, palette_.face);
}

}  // namespace hs::win::ui
