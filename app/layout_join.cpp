#include <string>
#include <utility>

#include "app/layout.h"
#include "app/layout_rows.h"

namespace hs::app {

namespace {

using ui::ControlSpec;
using ui::Kind;

// Captions use Verdana, as on the main window, unless a row says otherwise.
constexpr const char* kDefaultFont = "Verdana";

ControlSpec Row(std::string name, Kind kind, std::string caption, int left, int top, int width,
                int height, std::string font = kDefaultFont) {
    return PlacedRow(std::move(name), kind, std::move(caption), left, top, width, height,
                     std::move(font));
}

}  // namespace

std::vector<ControlSpec> JoinWindowLayout() {
    std::vector<ControlSpec> rows;
    // Created hidden; opening it fills it from the running session and places it over
    // the main window.
    ControlSpec window = Row(kJoinWindowName, Kind::Window, "扫码连接WiFi", 80, 60, 270, 392);
    window.hidden = true;
    rows.push_back(std::move(window));
    rows.push_back(Row("标签扫码标题", Kind::Label, "扫码连接WiFi", 10, 8, 244, 22, "微软雅黑"));
    // Four pixels a module for the usual names and passwords, still three for the
    // longest ones with every character escaped.
    rows.push_back(Row("图片框二维码", Kind::Picture, "", 22, 34, 220, 220));
    // Two lines each: a long name or password wraps rather than being cut off.
    rows.push_back(Row("标签扫码名称", Kind::Label, "WiFi名称：", 10, 262, 244, 32));
    rows.push_back(Row("标签扫码密码", Kind::Label, "密码：", 10, 296, 244, 32));
    rows.push_back(
        Row("标签扫码说明", Kind::Label, "用手机相机或微信扫一扫，即可连上热点", 10, 332, 244, 20));
    return rows;
}

}  // namespace hs::app
