#include "hotspot/update_check.h"

#include <cstdlib>

#include "hotspot/common.h"
#include "hotspot/stop_sharing.h"
#include "sys/delay.h"
#include "sys/text.h"
#include "sys/worker.h"

namespace hs::hotspot {

const char* const kBuiltInHelp =
    "<html><body>"
    "<h3>帮助信息</h3>"
    "<p><b>一、以管理员身份运行</b><br>"
    "开启共享需要管理员权限。请关闭本软件，在软件图标上点右键，选择“以管理员身份运行”，"
    "在弹出的提示中点“是”。</p>"
    "<p><b>二、打开无线网络开关</b><br>"
    "点开电脑右下角的网络图标，能看到附近的无线网络就说明开关已打开。"
    "看不到就是没开：开关一般在F1-F12那一栏，有个无线发射的标志，大部分电脑按组合键Fn+F2打开，"
    "也有的电脑是机身上的硬件开关。</p>"
    "<p><b>三、更新无线网卡驱动</b><br>"
    "开关打开了还是无法开启，一般是无线网卡驱动太旧，不支持承载网络。"
    "请到电脑厂家的网站下载最新的无线网卡驱动并安装，然后重新开启共享。</p>"
    "</body></html>";

namespace {

constexpr double kNewerThreshold = 0.0000001;
constexpr int kIdYes = 6;
constexpr int kHttpOk = 200;

// The page's text, or empty when it could not be fetched.
std::string FetchPage(app::App& app, const std::string& address) {
    Host& host = app.GetHost();
    if (host.http == nullptr)
        return {};
    const HttpResponse response = host.http->Get(address, CurrentStop());
    if (response.status != kHttpOk)
        return {};
    return host.codec->GbkToUtf8(response.body);
}

}  // namespace

std::string UpdateServerAddress(const app::App& app, const std::string& path) {
    const auto& url = app.updateUrl;
    return url[0] + url[1] + url[2] + url[3] + path + url[4];
}

double VersionNumber(const std::string& text) {
    const std::string trimmed = Trim(text);
    return trimmed.empty() ? 0.0 : std::strtod(trimmed.c_str(), nullptr);
}

bool CheckForUpdate(app::App& app) {
    const app::Session session = app.GetSession();
    const std::string page = FetchPage(
        app, UpdateServerAddress(app, session.serverRootPath + "/lanz" + session.serverUpdatePath));
    PumpingDelay(app.GetHost(), 1000);
    if (StopRequested())
        return false;
    const std::string newest = TextBetween(page, "【版本开始】", "【版本结束】");
    if (VersionNumber(newest) - VersionNumber(kCurrentVersion) <= kNewerThreshold)
        return false;
    const int answer = app.Main().ShowMessage(
        "亲！检测到最新V" + newest + "版本，体验更好，是否下载更新……", "更新提示", 4);
    if (answer != kIdYes || StopRequested())
        return false;
    // Only a web page is opened: anything else (a program, another scheme) would be
    // run by the shell.
    const std::string address = Trim(TextBetween(page, "【地址开始】", "【地址结束】"));
    if (IsWebAddress(address) && app.GetHost().shell != nullptr)
        app.GetHost().shell->OpenUrl(address);
    app.Main().Self().SetVisible(false);
    ResetToIdle(app);
    app.Quit(0);
    return true;
}

void ShowAnnouncement(app::App& app) {
    const app::Session session = app.GetSession();
    const std::string page =
        FetchPage(app, UpdateServerAddress(app, session.serverRootPath + "/lanz/gonggao"));
    if (StopRequested())
        return;
    app.Main()["简单超文本框1"].SetDocument(page.empty() ? std::string(kBuiltInHelp) : page);
}

}  // namespace hs::hotspot
