// The one way the layout tables build a row: a control's name, kind, caption and
// place, with the font its caption is drawn in. Rows that sit in a container or
// start hidden, disabled or checked set those fields afterwards.
#pragma once

#include <string>
#include <utility>

#include "ui/model.h"

namespace hs::app {

inline ui::ControlSpec PlacedRow(std::string name, ui::Kind kind, std::string caption, int left,
                                 int top, int width, int height, std::string font) {
    ui::ControlSpec spec;
    spec.name = std::move(name);
    spec.kind = kind;
    spec.caption = std::move(caption);
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.font = std::move(font);
    return spec;
}

}  // namespace hs::app
