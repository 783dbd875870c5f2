// Where a balloon stands on the desktop: on the monitor that holds the point it shows
// from (the traffic bar, or the control it is about), never pushed onto another one.
// Portable, so the front end's choice can be checked without windows.
#pragma once

#include <vector>

#include "platform/host.h"

namespace hs::ui {

// The rectangle of a balloon `width` x `height` pixels that shows from (x, y). It uses
// the work area that holds the point, or the nearest one when none does: above the
// point when `upwards` is asked for or when below it would reach past that work
// area's bottom, else below it; then moved inside the work area where it sticks out.
// With no work areas known it stands at the point as asked.
ScreenRect PlaceBalloon(int x, int y, int width, int height, bool upwards,
                        const std::vector<ScreenRect>& workAreas);

}  // namespace hs::ui
