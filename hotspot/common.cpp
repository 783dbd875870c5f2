#include "hotspot/common.h"

#include <cstring>

namespace hs::hotspot {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string EscapeLiteral(const std::string& text) {
    static const char* const kSpecial = "\\^$.|?*+()[]{}/";
    std::string escaped;
    escaped.reserve(text.size() + 4);
    for (const char c : text) {
        if (c != '\0' && std::strchr(kSpecial, c) != nullptr)
            escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

void PopBalloon(Hotspot& hotspot, const std::string& text, int dx, int dy) {
    ui::Control self = hotspot.Main().Self();
    hotspot.C().balloon.ShowBalloon(text, self.Left() + dx, self.Top() + dy);
}

void ShowIdleButton(Hotspot& hotspot) {
    Controls& c = hotspot.C();
    c.start.SetText("开启共享");
    c.start.SetEnabled(true);
    c.statusTimer.SetInterval(0);
    c.statusPicture.SetPicture(ui::kPictureStatusIdle);
}

void ShowRunning(Hotspot& hotspot) {
    Controls& c = hotspot.C();
    c.start.SetText("关闭共享");
    c.start.SetEnabled(true);
    c.name.SetEnabled(false);
    c.password.SetEnabled(false);
    c.status.SetTextColour({0, 128, 0});
    c.status.SetText("已启动");
    hotspot.Main().SetTrayIcon(ui::kPictureTrayRunning, "已开启共享");
    c.statusTimer.SetInterval(0);
    c.statusPicture.SetPicture(ui::kPictureStatusRunning);
    c.upstream.SetEnabled(false);
}

void ShowIdleStatus(Hotspot& hotspot) {
    Controls& c = hotspot.C();
    c.status.SetText("未启动");
    c.statusTimer.SetInterval(0);
    c.statusPicture.SetPicture(ui::kPictureStatusIdle);
    c.name.SetEnabled(true);
    c.password.SetEnabled(true);
}

}  // namespace hs::hotspot
