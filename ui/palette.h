// The colour theme: the colours a front end paints a themed window with.
//
// One base palette of soft, light faces and dark text is turned around the
// colour wheel by the window's hue; lightness and saturation stay, so every hue
// is as readable as the base.
#pragma once

#include "ui/model.h"

namespace hs::ui {

struct Palette {
    Colour window;          // client area and tab page background
    Colour face;            // buttons, tabs, list headers
    Colour faceHot;         // a face under the mouse
    Colour facePressed;     // a pressed button, the selected tab's edge
    Colour border;          // control borders
    Colour text;            // captions and labels
    Colour disabledText;    // captions of disabled controls
    Colour editBackground;  // edit boxes, combo boxes, report lists
    Colour editText;        // text typed into them
    Colour groupFrame;      // the frame line of group boxes
    Colour accent;          // focus marks, slider thumb and channel, checked marks
    Colour selection;       // selected list rows (a light shade: text stays dark)
    Colour selectionText;   // text on selected rows
    bool operator==(const Palette&) const = default;
};

// The base palette turned by `hue` degrees (any integer; it wraps around the
// circle, so 360 is the base again). Hue 0 is the base palette exactly.
Palette ThemePalette(int hue);

// The base palette (hue 0).
Palette BasePalette();

// Turns one colour around the colour wheel by `degrees`, keeping its lightness
// and saturation.
Colour TurnHue(Colour colour, double degrees);

}  // namespace hs::ui
