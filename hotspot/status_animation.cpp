#include "hotspot/status_animation.h"

#include <string>

namespace hs::hotspot {

void OnStatusTimer(Hotspot& hotspot) {
    const int frame = ++hotspot.animationFrame;
    if (frame >= 1 && frame <= 5)
        hotspot.C().statusPicture.SetPicture(ui::kPictureStatusFrame + std::to_string(frame));
    if (frame >= 5)
        hotspot.animationFrame = 0;
}

void OnSuccessTipTimer(Hotspot& hotspot) {
    hotspot.C().successTimer.SetInterval(0);
    hotspot.C().successLabel.SetVisible(false);
}

}  // namespace hs::hotspot
