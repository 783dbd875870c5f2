// A small window in the shape of the program's main window, for the model's tests.
#pragma once

#include <vector>

#include "ui/model.h"

namespace hs::ui::test {

inline ControlSpec Make(const char* name, Kind kind, const char* caption = "",
                        const char* container = "", int page = -1) {
    ControlSpec spec;
    spec.name = name;
    spec.kind = kind;
    spec.caption = caption;
    spec.container = container;
    spec.page = page;
    return spec;
}

inline std::vector<ControlSpec> TestLayout() {
    std::vector<ControlSpec> specs;
    specs.push_back(Make("主窗口", Kind::Window));
    specs[0].hidden = true;
    specs[0].width = 380;
    specs[0].height = 260;
    ControlSpec tab = Make("选择夹1", Kind::Tab);
    tab.pages = {"主界面", "管理用户", "设置中心", "流量统计", "帮助信息"};
    specs.push_back(tab);
    specs.push_back(Make("编辑框名称", Kind::Edit, "mylove", "选择夹1", 0));
    ControlSpec password = Make("选择框1", Kind::CheckBox, "显示密码", "选择夹1", 0);
    password.checked = true;
    specs.push_back(password);
    ControlSpec start = Make("按钮开始", Kind::Button, "初始化中\r\n请稍后", "选择夹1", 0);
    start.disabled = true;
    specs.push_back(start);
    specs.push_back(Make("按钮右下角", Kind::Button, "缩小到右下角", "选择夹1", 0));
    specs.push_back(Make("单选框监控", Kind::Radio, "监控用户", "选择夹1", 1));
    specs.push_back(Make("单选框不监控", Kind::Radio, "不监控", "选择夹1", 1));
    specs.push_back(Make("单选框丙", Kind::Radio, "丙", "选择夹1", 3));  // same tab, other page
    specs.push_back(Make("分组框4", Kind::GroupBox, "当前有效设备↓", "选择夹1", 1));
    ControlSpec clients = Make("超级列表框1", Kind::ReportList, "", "分组框4", 1);
    clients.columns = {{"n", 20}, {"用户ip地址", 105}, {"硬件地址mac", 117}, {"设备名称", 102}};
    specs.push_back(clients);
    ControlSpec device = Make("编辑框设备", Kind::Edit, "", "选择夹1", 1);
    device.hidden = true;
    specs.push_back(device);
    specs.push_back(Make("分组框2", Kind::GroupBox, "网络选择", "选择夹1", 2));
    specs.push_back(Make("组合框1", Kind::Combo, "", "分组框2", 2));
    specs.push_back(Make("单选框甲", Kind::Radio, "甲", "分组框2", 2));
    specs.push_back(Make("单选框乙", Kind::Radio, "乙", "分组框2", 2));
    specs.push_back(Make("分组框1", Kind::GroupBox, "皮肤调色", "选择夹1", 2));
    ControlSpec slider = Make("滑块条色调", Kind::Slider, "", "分组框1", 2);
    slider.maximum = 340;
    specs.push_back(slider);
    specs.push_back(Make("气球提示框1", Kind::Balloon));
    specs.push_back(Make("时钟状态", Kind::Timer));
    specs.push_back(Make("时钟关机", Kind::Timer));
    specs.push_back(Make("时钟循环列表", Kind::Timer, "", "选择夹1", 1));
    specs.push_back(Make("菜单", Kind::PopupMenu));
    specs.push_back(Make("显示界面", Kind::MenuItem, "显示界面", "菜单"));
    specs.push_back(Make("退出", Kind::MenuItem, "退出", "菜单"));
    return specs;
}

}  // namespace hs::ui::test
