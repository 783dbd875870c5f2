#include "hotspot/common.h"

namespace hs::hotspot {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string EscapeFirstAsterisk(const std::string& name) {
    const size_t star = name.find('*');
    if (star == std::string::npos)
        return name;
    // Built by appending: mingw's gcc 12 warns falsely about insert on short strings.
    std::string escaped;
    escaped.reserve(name.size() + 1);
    escaped.append(name, 0, star);
    escaped.push_back('\\');
    escaped.append(name, star, std::string::npos);
    return escaped;
}

void PopBalloon(app::App& app, const std::string& text, int dx, int dy) {
    ui::Window& main = app.Main();
    const int left = main.Self().Left();
    const int top = main.Self().Top();
    main["气球提示框1"].ShowBalloon(text, left + dx, top + dy);
}

void ShowIdleButton(app::App& app) {
    ui::Window& main = app.Main();
    ui::Control start = main["按钮开始"];
    start.SetText("开启共享");
    start.SetEnabled(true);
    main["时钟状态"].SetInterval(0);
    main["图片框状态"].SetPicture(ui::kPictureStatusIdle);
}

void ShowIdleStatus(app::App& app) {
    ui::Window& main = app.Main();
    main["标签9"].SetText("未启动");
    main["时钟状态"].SetInterval(0);
    main["图片框状态"].SetPicture(ui::kPictureStatusIdle);
    main["编辑框名称"].SetEnabled(true);
    main["编辑框密码"].SetEnabled(true);
}

}  // namespace hs::hotspot
