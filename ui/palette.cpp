#include "ui/palette.h"

#include <algorithm>
#include <cmath>

namespace hs::ui {

namespace {

struct Hsl {
    double h = 0;  // degrees, 0..360
    double s = 0;  // 0..1
    double l = 0;  // 0..1
};

Hsl ToHsl(Colour c) {
    double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    double hi = std::max({r, g, b});
    double lo = std::min({r, g, b});
    Hsl out;
    out.l = (hi + lo) / 2;
    double d = hi - lo;
    if (d <= 0) {
        return out;  // grey: no hue to turn
    }
    out.s = out.l > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
    if (hi == r) {
        out.h = 60 * std::fmod((g - b) / d + 6, 6.0);
    } else if (hi == g) {
        out.h = 60 * ((b - r) / d + 2);
    } else {
        out.h = 60 * ((r - g) / d + 4);
    }
    return out;
}

uint8_t ToByte(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

Colour FromHsl(Hsl in) {
    double c = (1 - std::fabs(2 * in.l - 1)) * in.s;  // chroma
    double hp = in.h / 60;
    double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hp) % 6) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    double m = in.l - c / 2;
    return Colour{ToByte(r + m), ToByte(g + m), ToByte(b + m)};
}

}  // namespace

Colour TurnHue(Colour colour, double degrees) {
    Hsl hsl = ToHsl(colour);
    if (hsl.s == 0) {
        return colour;
    }
    hsl.h = std::fmod(hsl.h + degrees, 360.0);
    if (hsl.h < 0) {
        hsl.h += 360;
    }
    return FromHsl(hsl);
}

Palette BasePalette() {
    // A cool blue-grey theme: light faces, near-black text, a deep accent.
    Palette p;
    p.window = {236, 241, 247};
    p.face = {222, 231, 242};
    p.faceHot = {206, 221, 240};
    p.facePressed = {186, 205, 230};
    p.border = {128, 150, 180};
    p.text = {26, 34, 46};
    p.disabledText = {128, 136, 148};
    p.editBackground = {251, 252, 254};
    p.editText = {20, 24, 32};
    p.groupFrame = {150, 172, 200};
    p.accent = {40, 80, 140};
    p.selection = {190, 214, 244};
    p.selectionText = {16, 24, 40};
    return p;
}

Palette ThemePalette(int hue) {
    int turn = ((hue % 360) + 360) % 360;
    Palette p = BasePalette();
    if (turn == 0) {
        return p;
    }
    for (Colour* c : {&p.window, &p.face, &p.faceHot, &p.facePressed, &p.border, &p.text,
                      &p.disabledText, &p.editBackground, &p.editText, &p.groupFrame, &p.accent,
                      &p.selection, &p.selectionText}) {
        *c = TurnHue(*c, turn);
    }
    return p;
}

}  // namespace hs::ui
