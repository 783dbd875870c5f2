#include <string>
#include <utility>

#include "app/layout.h"
#include "app/layout_rows.h"

namespace hs::app {

namespace {

using ui::ControlSpec;
using ui::Kind;

// Captions use Verdana unless a row says otherwise.
constexpr const char* kDefaultFont = "Verdana";
constexpr const char* kTab = "选择夹1";

enum Flags : unsigned { kNone = 0, kHidden = 1, kDisabled = 2, kChecked = 4 };

ControlSpec Row(std::string name, Kind kind, std::string caption, std::string container, int page,
                int left, int top, int width, int height, unsigned flags = kNone) {
    ControlSpec spec = PlacedRow(std::move(name), kind, std::move(caption), left, top, width,
                                 height, kDefaultFont);
    spec.container = std::move(container);
    spec.page = page;
    spec.hidden = (flags & kHidden) != 0;
    spec.disabled = (flags & kDisabled) != 0;
    spec.checked = (flags & kChecked) != 0;
    return spec;
}

// A control on tab page `page`.
ControlSpec OnPage(int page, std::string name, Kind kind, std::string caption, int left, int top,
                   int width, int height, unsigned flags = kNone) {
    return Row(std::move(name), kind, std::move(caption), kTab, page, left, top, width, height,
               flags);
}

// A control inside group box `group`, which lies on tab page `page`.
ControlSpec InGroup(std::string group, int page, std::string name, Kind kind, std::string caption,
                    int left, int top, int width, int height, unsigned flags = kNone) {
    return Row(std::move(name), kind, std::move(caption), std::move(group), page, left, top, width,
               height, flags);
}

// Timers are stored stopped (interval 0); the procedures that own them start them.
ControlSpec Timer(int page, std::string name) {
    ControlSpec spec = OnPage(page, std::move(name), Kind::Timer, "", 0, 0, 0, 0);
    spec.font.clear();
    return spec;
}

ControlSpec Menu(std::string name) {
    ControlSpec spec = Row(std::move(name), Kind::PopupMenu, "", "", -1, 0, 0, 0, 0, kHidden);
    return spec;
}

// A menu item's caption is its name.
ControlSpec MenuItem(const std::string& menu, const std::string& name) {
    return Row(name, Kind::MenuItem, name, menu, -1, 0, 0, 0, 0);
}

}  // namespace

std::vector<ControlSpec> MainWindowLayout() {
    std::vector<ControlSpec> rows;

    // The window: created hidden; its title is set by the created procedure.
    rows.push_back(Row(kMainWindowName, Kind::Window, "", "", -1, 50, 50, 380, 260, kHidden));

    // The tab control is larger than the window and clipped by it.
    ControlSpec tab = Row(kTab, Kind::Tab, "", "", -1, -1, -2, 417, 330);
    tab.pages = {"主界面", "管理用户", "设置中心", "流量统计", "帮助信息"};
    rows.push_back(std::move(tab));

    // Outside the tab control.
    rows.push_back(Row("标签3", Kind::Label, "设备总数[0]", "", -1, 297, 3, 72, 15));

    // Page 0 "主界面".
    rows.push_back(OnPage(0, "标签1", Kind::Label, "WiFi名称：", 40, 47, 63, 24));
    rows.push_back(OnPage(0, "编辑框名称", Kind::Edit, "mylove", 107, 46, 160, 32));
    rows.push_back(OnPage(0, "标签2", Kind::Label, "密码：", 69, 92, 34, 24));
    ControlSpec password = OnPage(0, "编辑框密码", Kind::Edit, "5802741639", 107, 90, 160, 32);
    password.inputMode = ui::kPlainInput;
    rows.push_back(std::move(password));
    rows.push_back(OnPage(0, "选择框1", Kind::CheckBox, "显示密码", 107, 128, 70, 16, kChecked));
    rows.push_back(OnPage(0, "标签9", Kind::Label, "", 262, 24, 50, 14, kHidden));
    rows.push_back(
        OnPage(0, "按钮开始", Kind::Button, "初始化中\r\n请稍后", 144, 157, 86, 42, kDisabled));
    rows.push_back(OnPage(0, "图片框状态", Kind::Picture, "", 84, 163, 40, 32));
    rows.push_back(OnPage(0, "标签启动成功", Kind::Label,
                          "WiFi共享成功啦！\r\n赶紧拿手机来连接吧！", 236, 159, 141, 40, kHidden));
    rows.push_back(OnPage(0, "按钮右下角", Kind::Button, "缩小到右下角", 288, 205, 82, 25));
    // Shown while sharing runs: opens the window with the QR code to join by.
    rows.push_back(OnPage(0, "按钮扫码连接", Kind::Button, "扫码连接", 279, 91, 82, 28, kHidden));
    rows.push_back(OnPage(0, "选择框关机", Kind::CheckBox, "定时关机：", 4, 209, 81, 16));
    rows.push_back(OnPage(0, "编辑框关机", Kind::Edit, "180", 77, 208, 32, 20));
    rows.push_back(OnPage(0, "标签定时", Kind::Label, "分", 112, 206, 22, 24));
    rows.push_back(
        OnPage(0, "标签关机", Kind::Label, "00时00分00秒后关机", 128, 206, 158, 24, kHidden));
    rows.push_back(OnPage(0, "标签操作系统", Kind::Label,
                          "抱歉，您的电脑非win7、win8系统，不能使用该软件！", 43, 24, 293, 16,
                          kHidden));
    rows.push_back(OnPage(0, "超文本浏览框1", Kind::Browser, "", 362, 242, 280, 176, kHidden));
    rows.push_back(OnPage(0, "气球提示框1", Kind::Balloon, "", 17, 130, 26, 26));
    rows.push_back(Timer(0, "时钟启动成功提示"));
    rows.push_back(Timer(0, "时钟状态"));
    rows.push_back(Timer(0, "时钟流量条延时"));
    rows.push_back(Timer(0, "时钟关机"));

    // Page 1 "管理用户": connected devices and the blacklist.
    rows.push_back(OnPage(1, "单选框监控", Kind::Radio, "监控用户", 133, 26, 69, 15));
    rows.push_back(OnPage(1, "单选框不监控", Kind::Radio, "不监控", 217, 26, 56, 15));
    rows.push_back(OnPage(1, "分组框4", Kind::GroupBox, "当前有效设备↓", 14, 40, 348, 133));
    rows.push_back(InGroup("分组框4", 1, "透明标签3", Kind::TransparentLabel,
                           "右键鼠标拉入黑名单   双击可修改备注", 130, 10, 219, 18));
    ControlSpec clients =
        InGroup("分组框4", 1, "超级列表框1", Kind::ReportList, "", 0, 26, 348, 107);
    clients.columns = {{"n", 20}, {"用户ip地址", 105}, {"硬件地址mac", 117}, {"设备名称", 102}};
    rows.push_back(std::move(clients));
    rows.push_back(
        OnPage(1, "分组框3", Kind::GroupBox, "黑名单(右键鼠标取消黑名单)", 15, 188, 346, 97));
    // The first column holds the IP address of a device blacklisted in this run; it
    // has width 0 and is never seen.
    ControlSpec blacklist =
        InGroup("分组框3", 1, "超级列表框2", Kind::ReportList, "", 0, 17, 346, 80);
    blacklist.columns = {{"", 0}, {"硬件地址mac", 170}, {"设备名称", 172}};
    rows.push_back(std::move(blacklist));
    rows.push_back(OnPage(1, "编辑框设备", Kind::Edit, "", 256, 166, 80, 13, kHidden));
    rows.push_back(OnPage(1, "编辑框去除多个本地", Kind::Edit, "", 370, 24, 200, 20, kHidden));
    rows.push_back(Timer(1, "时钟循环列表"));

    // Page 2 "设置中心".
    rows.push_back(OnPage(2, "分组框2", Kind::GroupBox, "网络选择", 14, 31, 348, 100));
    rows.push_back(
        InGroup("分组框2", 2, "标签5", Kind::Label, "本机连网方式(自动)：", 9, 18, 114, 16));
    rows.push_back(InGroup("分组框2", 2, "组合框1", Kind::Combo, "", 126, 16, 140, 20));
    rows.push_back(
        InGroup("分组框2", 2, "按钮查看连接", Kind::Button, "查看连网", 274, 15, 61, 24));
    rows.push_back(
        InGroup("分组框2", 2, "选择框2", Kind::CheckBox, "记住这个连网", 126, 43, 96, 16));
    // A notice at the notification-area icon when a new device joins the hotspot. The
    // page has no room below its two groups, so it shares the row of "记住这个连网".
    rows.push_back(InGroup("分组框2", 2, "选择框新设备提示", Kind::CheckBox, "新设备连上时提示",
                           228, 43, 116, 16, kChecked));
    rows.push_back(InGroup("分组框2", 2, "标签14", Kind::Label, "输出无线端：", 57, 68, 64, 24));
    rows.push_back(
        InGroup("分组框2", 2, "编辑框虚拟网卡", Kind::Edit, "", 126, 71, 140, 20, kDisabled));
    rows.push_back(OnPage(2, "分组框1", Kind::GroupBox, "皮肤调色", 14, 141, 348, 86));
    rows.push_back(
        InGroup("分组框1", 2, "透明标签位置", Kind::TransparentLabel, "1", 146, 9, 55, 20));
    ControlSpec slider = InGroup("分组框1", 2, "滑块条色调", Kind::Slider, "", 1, 26, 345, 40);
    slider.minimum = 0;
    slider.maximum = 340;
    rows.push_back(std::move(slider));
    rows.push_back(InGroup("分组框1", 2, "按钮色调", Kind::Button, "恢复默认", 134, 51, 80, 20));

    // Page 3 "流量统计".
    rows.push_back(OnPage(3, "分组框6", Kind::GroupBox, "本次流量统计", 14, 38, 348, 157));
    // The two arrow pictures are put into their boxes when the window is built.
    rows.push_back(InGroup("分组框6", 3, "图片框下载", Kind::Picture, "", 7, 33, 33, 35));
    ControlSpec downTotal =
        InGroup("分组框6", 3, "标签本次下载流量", Kind::Label, "0.00 MB", 43, 40, 142, 20);
    downTotal.font = "微软雅黑";
    rows.push_back(std::move(downTotal));
    rows.push_back(InGroup("分组框6", 3, "图片框上传", Kind::Picture, "", 187, 33, 33, 35));
    ControlSpec upTotal =
        InGroup("分组框6", 3, "标签本次上传流量", Kind::Label, "0.00 MB", 223, 40, 121, 20);
    upTotal.font = "微软雅黑";
    rows.push_back(std::move(upTotal));
    rows.push_back(InGroup("分组框6", 3, "透明标签4", Kind::TransparentLabel,
                           "本次使用WiFi总流量：", 13, 82, 120, 20));
    ControlSpec total =
        InGroup("分组框6", 3, "标签本次总流量", Kind::Label, "0.00 MB", 133, 83, 203, 20);
    total.font = "微软雅黑";
    rows.push_back(std::move(total));
    rows.push_back(InGroup("分组框6", 3, "选择框显示流量", Kind::CheckBox,
                           "共享后显示WiFi流量悬浮条", 13, 119, 210, 18));
    rows.push_back(Timer(3, "时钟流量统计"));

    // Page 4 "帮助信息": the document is filled by the background preparation.
    rows.push_back(OnPage(4, "简单超文本框1", Kind::HyperText, "", 14, 37, 348, 190));

    // The popup menus: hidden top-level menus, shown at the mouse.
    rows.push_back(Menu("菜单"));
    rows.push_back(MenuItem("菜单", "显示界面"));
    rows.push_back(MenuItem("菜单", "扫码连接"));
    rows.push_back(MenuItem("菜单", "打开日志文件夹"));
    rows.push_back(MenuItem("菜单", "退出"));
    rows.push_back(Menu("加黑"));
    rows.push_back(MenuItem("加黑", "拉入黑名单"));
    rows.push_back(Menu("取消黑"));
    rows.push_back(MenuItem("取消黑", "取消黑名单"));

    return rows;
}

}  // namespace hs::app
