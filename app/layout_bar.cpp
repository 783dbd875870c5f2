#include <string>
#include <utility>

#include "app/layout.h"
#include "app/layout_rows.h"

namespace hs::app {

namespace {

using ui::ControlSpec;
using ui::Kind;

ControlSpec Row(std::string name, Kind kind, std::string caption, int left, int top, int width,
                int height, bool disabled = false, std::string font = "") {
    ControlSpec spec = PlacedRow(std::move(name), kind, std::move(caption), left, top, width,
                                 height, std::move(font));
    spec.disabled = disabled;
    return spec;
}

}  // namespace

std::vector<ControlSpec> TrafficBarLayout() {
    std::vector<ControlSpec> rows;
    ControlSpec window = Row(kBarWindowName, Kind::Window, "", 50, 50, 155, 23);
    window.hidden = true;
    rows.push_back(std::move(window));
    // Covers the whole bar and takes the mouse: dragging, double click, link menu.
    rows.push_back(Row("透明标签1", Kind::TransparentLabel, "", 1, -6, 159, 30));
    // The two rates start disabled: they show, but never take the mouse.
    rows.push_back(
        Row("下载透明标签", Kind::TransparentLabel, "KB/S", 18, 4, 55, 14, true, "新宋体"));
    rows.push_back(
        Row("上传透明标签", Kind::TransparentLabel, "KB/S", 94, 4, 55, 14, true, "新宋体"));
    rows.push_back(Row("气球提示框1", Kind::Balloon, "", 96, -16, 32, 16));
    rows.push_back(Row("时钟流量", Kind::Timer, "", 0, 0, 0, 0));
    return rows;
}

}  // namespace hs::app
