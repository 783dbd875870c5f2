// A window's layout at the system's DPI: the tables are drawn for 96 DPI, and every
// rectangle and column width is scaled by dpi/96 (sys/dpi.h) when a window is built.
#pragma once

#include <vector>

#include "ui/model.h"

namespace hs::ui {

// `rows` with every rectangle scaled by its edges (left and right, top and bottom) in
// its container's coordinates, and every report list's column edges scaled from the
// list's left, so the columns still add up to what they did. At 96 DPI (or a DPI that
// is not positive) the rows are returned as they are.
std::vector<ControlSpec> ScaleLayout(std::vector<ControlSpec> rows, int dpi);

}  // namespace hs::ui
