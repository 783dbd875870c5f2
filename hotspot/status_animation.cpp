#include "hotspot/status_animation.h"

#include <string>

namespace hs::hotspot {

void OnStatusTimer(app::App& app) {
    const int frame = app.animationFrame.fetch_add(1) + 1;
    if (frame >= 1 && frame <= 5)
        app.Main()["图片框状态"].SetPicture(ui::kPictureStatusFrame + std::to_string(frame));
    if (frame >= 5)
        app.animationFrame.store(0);
}

void OnSuccessTipTimer(app::App& app) {
    app.Main()["时钟启动成功提示"].SetInterval(0);
    app.Main()["标签启动成功"].SetVisible(false);
}

}  // namespace hs::hotspot
