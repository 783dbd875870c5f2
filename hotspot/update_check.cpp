#include "hotspot/update_check.h"

#include "hotspot/stop_sharing.h"
#include "hotspot/version_text.h"
#include "sys/delay.h"
#include "sys/dispatcher.h"
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

constexpr int kIdYes = 6;
constexpr int kInformationBox = 0x40;
constexpr int kHttpOk = 200;

// The page's text, or empty when it could not be fetched.
std::string FetchPage(Host& host, const std::string& address) {
    if (host.http == nullptr)
        return {};
    const HttpResponse response = host.http->Get(address, CurrentStop());
    if (response.status != kHttpOk)
        return {};
    return host.codec->GbkToUtf8(response.body);
}

}  // namespace

std::string UpdateServerAddress(const UpdateUrl& url, const std::string& path) {
    return url[0] + url[1] + url[2] + url[3] + path + url[4];
}

double VersionNumber(const std::string& text) {
    return ParseVersionText(text).value_or(0.0);
}

UpdateOffer FetchUpdateOffer(Host& host, const UpdateUrl& url, const std::string& rootPath,
                             const std::string& updatePath) {
    const std::string page =
        FetchPage(host, UpdateServerAddress(url, rootPath + "/lanz" + updatePath));
    Delay(host, 1000);
    UpdateOffer offer;
    offer.version = TextBetween(page, "【版本开始】", "【版本结束】");
    offer.newer = IsNewerVersion(offer.version, kCurrentVersion);
    offer.address = Trim(TextBetween(page, "【地址开始】", "【地址结束】"));
    return offer;
}

bool OfferUpdate(Hotspot& hotspot, const UpdateOffer& offer) {
    if (!offer.newer || StopRequested())
        return false;
    HotspotSink& view = hotspot.View();
    const std::string question =
        "亲！检测到最新V" + offer.version + "版本，体验更好，是否下载更新……";
    const int answer = AskWindow(
        hotspot.GetDispatcher(), [&view, question] { return view.Ask(question, "更新提示", 4); },
        0);
    if (answer != kIdYes || StopRequested())
        return false;
    const std::string address = offer.address;
    // Only a web page is opened: anything else (a program, another scheme) would be run
    // by the shell. Ending the program without opening anything would leave the user
    // with neither the update nor the hotspot, and no word why.
    if (!IsWebAddress(address)) {
        hotspot.GetDispatcher().Post(
            [&view] { view.Ask(kInvalidUpdateAddressText, "更新提示", kInformationBox); });
        return false;
    }
    hotspot.GetDispatcher().Post([&hotspot, address] {
        Host& host = hotspot.GetHost();
        if (host.shell != nullptr)
            host.shell->OpenUrl(address);
        // The program's exit hides the window, returns to idle and ends within its
        // bound.
        if (hotspot.quit)
            hotspot.quit(0);
    });
    return true;
}

std::string FetchAnnouncement(Host& host, const UpdateUrl& url, const std::string& rootPath) {
    const std::string page = FetchPage(host, UpdateServerAddress(url, rootPath + "/lanz/gonggao"));
    return page.empty() ? std::string(kBuiltInHelp) : page;
}

}  // namespace hs::hotspot
