#include "hotspot/start_sharing.h"

#include <cstdlib>

#include "hotspot/adapter_discovery.h"
#include "hotspot/common.h"
#include "hotspot/sharing_config.h"
#include "hotspot/start_checks.h"
#include "hotspot/stop_sharing.h"
#include "settings/settings_file.h"
#include "sys/command.h"
#include "sys/delay.h"
#include "sys/regex.h"
#include "sys/text.h"
#include "sys/worker.h"
#include "traffic/counters.h"

namespace hs::hotspot {

const char* const kStartFailureHelp =
    "\r\n解决办法：\r\n①、电脑的无线网络开关是否打开。\r\n（如果开了，点开电脑右下角的网络图标能看"
    "到附近的无线网络，"
    "\r\n看不到就是没开，开关一般在F1-12那栏有个无线发射的标志，大部分电脑在F2，按组合键Fn+"
    "F2打开，也有的电脑是硬件开关）"
    "\r\n\r\n②、如果无线网络开关开了，还是提示这个，是因为无线网卡驱动太旧了，请下载驱动精灵升级 "
    "[无线网卡驱动] 到最新版。";

const char* const kSharingFailedText =
    "WiFi热点已开启，但共享网络失败，手机可以连上WiFi，但可能无法上网。\r\n请检查：\r\n"
    "①、【设置中心】的本机连网方式是否选对了（要选能上网的那个连接）；\r\n"
    "②、系统的“Internet 连接共享”服务（SharedAccess）是否被禁用，或者被安全软件拦截。";

namespace {

thread_local bool onStartThread = false;

constexpr int kWindows8Code = 6;
constexpr const char* kStartCommand = "netsh wlan start hostednetwork";
constexpr const char* kStopCommand = "netsh wlan stop hostednetwork";
constexpr const char* kAddressesCommand = "netsh interface ipv4 show addresses";
constexpr const char* kAdminMessage =
    "无法开启！共享需要管理员权限，检测到您的电脑没有管理员权限。\r\n请参照界面上的【帮助信息】设置"
    "管理权限后重新运行。";
constexpr const char* kNoUpstreamMessage = "本机连网方式为空，请在【设置中心】选择一下！";

// Marks the calling thread as the start thread while StartSharing runs.
struct StartThreadMark {
    StartThreadMark() { onStartThread = true; }
    ~StartThreadMark() { onStartThread = false; }
    StartThreadMark(const StartThreadMark&) = delete;
    StartThreadMark& operator=(const StartThreadMark&) = delete;
};

// How each system's path differs.
struct PathTiming {
    DiscoveryVariant variant;
    int discoveryRetryPauseMs;
};

void SetStartOutput(app::App& app, const std::string& output) {
    app.UpdateSession([&](app::Session& s) { s.startOutput = output; });
}

std::string StartOutput(app::App& app) {
    return app.GetSession().startOutput;
}

// An early end after the configure command: the idle button, no start output.
void EndEarly(app::App& app, const std::string& message, int dx, int dy) {
    PopBalloon(app, message, dx, dy);
    ShowIdleButton(app);
    SetStartOutput(app, "");
}

// Discovery, up to three more tries while nothing was found, then the override of
// settings section "1". False when a stop was asked.
bool FindHostedAdapter(app::App& app, const PathTiming& timing) {
    Host& host = app.GetHost();
    ui::Control box = app.Main()["编辑框虚拟网卡"];
    HostedAdapterDiscovery(app, timing.variant);
    for (int attempt = 0; attempt < 3 && box.Text().empty(); ++attempt) {
        HostedAdapterDiscovery(app, timing.variant);
        PumpingDelay(host, timing.discoveryRetryPauseMs);
        if (StopRequested())
            return false;
    }
    if (settings::ReadSetting(host, "1", "1", "") == "1")
        box.SetText(settings::ReadSetting(host, "1", "2", ""));
    return !StopRequested();
}

// Waits, one second per attempt, for the switch-on pass to report it went through
// every connection.
void WaitForSharing(app::App& app, int attempts) {
    for (int attempt = 0; attempt < attempts && !StopRequested(); ++attempt) {
        const bool done = app.sharingDone.load() == 1;
        PumpingDelay(app.GetHost(), 1000);
        if (done)
            break;
    }
}

// Whether the hosted adapter still takes its address from DHCP: the addresses
// listing's line naming it is followed by its DHCP line, which says "是".
bool HostedUsesDhcp(app::App& app, const std::string& namePattern) {
    const std::string listing = RunCommand(app.GetHost(), kAddressesCommand);
    RegexObject regex;
    regex.Create(namePattern + ".*\\n.*DHCP.*", listing);
    return Contains(regex.MatchText(1), "是");
}

std::string StaticAddressCommand(const std::string& hosted) {
    return "netsh interface ip set address name=\"" + hosted +
           "\" source=static addr=192.168.137.1 mask=255.255.255.0 gwmetric=1";
}

// The window once the hosted network runs.
void ShowRunning(app::App& app) {
    ui::Window& main = app.Main();
    ui::Control start = main["按钮开始"];
    start.SetText("关闭共享");
    start.SetEnabled(true);
    main["编辑框名称"].SetEnabled(false);
    main["编辑框密码"].SetEnabled(false);
    main["标签9"].SetTextColour({0, 128, 0});
    main["标签9"].SetText("已启动");
    main.SetTrayIcon(ui::kPictureTrayRunning, "已开启共享");
    main["时钟状态"].SetInterval(0);
    main["图片框状态"].SetPicture(ui::kPictureStatusRunning);
    main["组合框1"].SetEnabled(false);
}

// The hosted interface's index from the offload listing's header line
// "接口 <index>: <name>"; "2" when there is none.
void FindInterfaceIndex(app::App& app) {
    const std::string listing = RunCommand(app.GetHost(), "netsh interface ipv4 show offload");
    const std::string hosted = app.Main()["编辑框虚拟网卡"].Text();
    RegexObject regex;
    // Appended rather than joined with +: mingw's gcc 12 warns falsely on the latter.
    std::string pattern = "接口 .*: ";
    pattern += EscapeFirstAsterisk(hosted);
    regex.Create(pattern, listing);
    std::string index = TextBetween(regex.MatchText(1), "接口 ", ":");
    if (index.empty())
        index.push_back('2');  // (assigning a literal trips mingw's gcc 12 -Wrestrict)
    const int number = static_cast<int>(std::strtol(index.c_str(), nullptr, 10));
    app.UpdateSession([&](app::Session& s) {
        s.hostedInterfaceIndex = index;
        s.hostedInterfaceNumber = number;
    });
}

// The hosted row's counters become the baselines. The row is taken by its position
// in the table; a position outside the table leaves both at 0.
void TakeBaselines(app::App& app) {
    traffic::RefreshCounters(app);
    app.UpdateSession([](app::Session& s) {
        const int row = s.hostedInterfaceNumber;
        if (row >= 1 && static_cast<size_t>(row) <= s.counters.size()) {
            s.receivedBaseline = s.counters[row - 1].received;
            s.sentBaseline = s.counters[row - 1].sent;
        } else {
            s.receivedBaseline = 0;
            s.sentBaseline = 0;
        }
    });
}

// Loads the statistics page; nothing is read back.
void StatisticsHit(app::App& app) {
    Host& host = app.GetHost();
    if (host.http == nullptr)
        return;
    const app::Session session = app.GetSession();
    const auto& url = app.updateUrl;
    // The preparation stores the root piece just after it enables the button.
    const std::string root = session.serverRootPath.empty() ? "/rjgx" : session.serverRootPath;
    const std::string address =
        url[0] + url[1] + url[2] + url[3] + root + "/lanz" + session.statisticsPath + url[4];
    host.http->Get(address, CurrentStop());
}

// The Windows 8 path: start, find the adapter, share, then the static address.
// False when a stop was asked.
bool StartWindows8(app::App& app, SharingOutcome& outcome) {
    Host& host = app.GetHost();
    ui::Control box = app.Main()["编辑框虚拟网卡"];
    SetStartOutput(app, RunCommand(host, kStartCommand));
    if (!FindHostedAdapter(app, {DiscoveryVariant::Windows8, 300}))
        return false;
    PumpingDelay(host, 500);
    if (StopRequested())
        return false;
    outcome = EnableHotspotSharing(app);
    WaitForSharing(app, 10);
    PumpingDelay(host, 1000);
    if (StopRequested())
        return false;
    if (HostedUsesDhcp(app, EscapeFirstAsterisk(box.Text()))) {
        RunCommand(host, StaticAddressCommand(box.Text()));
        PumpingDelay(host, 1000);
        if (StopRequested())
            return false;
        outcome = EnableHotspotSharing(app);
        PumpingDelay(host, 1000);
        RunCommand(host, kStartCommand);
    }
    return !StopRequested();
}

// The Windows 7 path: find the adapter, share, start, then the static address.
bool StartWindows7(app::App& app, SharingOutcome& outcome) {
    Host& host = app.GetHost();
    ui::Control box = app.Main()["编辑框虚拟网卡"];
    if (!FindHostedAdapter(app, {DiscoveryVariant::Other, 200}))
        return false;
    PumpingDelay(host, 500);
    if (StopRequested())
        return false;
    outcome = EnableHotspotSharing(app);
    WaitForSharing(app, 20);
    if (StopRequested())
        return false;
    SetStartOutput(app, RunCommand(host, kStartCommand));
    PumpingDelay(host, 800);
    if (StopRequested())
        return false;
    if (HostedUsesDhcp(app, box.Text())) {
        RunCommand(host, StaticAddressCommand(box.Text()));
        PumpingDelay(host, 1000);
        RunCommand(host, kStopCommand);
        if (StopRequested())
            return false;
        outcome = EnableHotspotSharing(app);
        PumpingDelay(host, 3000);
        RunCommand(host, kStartCommand);
    }
    return !StopRequested();
}

// The system refused to start the hosted network: its words and the help.
void ShowStartFailure(app::App& app) {
    std::string text = "开启失败！失败类型：";
    text += RemoveBlankLines(StartOutput(app));
    text += kStartFailureHelp;
    app.Main().ShowMessage(text, "开启失败", 0x40);
    ResetToIdle(app);
    ShowIdleButton(app);
    SetStartOutput(app, "");
}

}  // namespace

bool OnStartThread() {
    return onStartThread;
}

void OnStartButtonClicked(app::App& app) {
    ui::Window& main = app.Main();
    if (main["按钮开始"].Text() == "开启共享") {
        app.UpdateSession([](app::Session& s) { s.statisticsPath = "/tongji"; });
        app.animationFrame.store(0);
        std::lock_guard<std::mutex> lock(app.startThreadMutex);
        // A finished start may still be in its last pause before the statistics
        // request; it is asked to end, so no start ever runs beside another.
        KillThread(app.startThread);
        app.startThread = StartThread([&app] { StartSharing(app); });
        return;
    }
    main["超级列表框1"].ClearRows();
    main["标签3"].SetText("设备总数[0]");
    main["时钟循环列表"].SetInterval(0);
    app.UpdateSession([](app::Session& s) {
        s.receivedBaseline = 0;
        s.sentBaseline = 0;
    });
    StopSharing(app);
}

void StartSharing(app::App& app) {
    StartThreadMark mark;
    Host& host = app.GetHost();
    ui::Window& main = app.Main();
    ui::Control name = main["编辑框名称"];
    ui::Control password = main["编辑框密码"];
    ui::Control combo = main["组合框1"];

    if (!CheckNameAndPassword(app, name.Text(), password.Text()) || StopRequested())
        return;

    ui::Control start = main["按钮开始"];
    start.SetEnabled(false);
    start.SetText("启动中\r\n请稍后");
    main["时钟状态"].SetInterval(500);

    // Sharing from another upstream than at the last stop is switched off first.
    const std::string upstream = combo.Text();
    bool upstreamChanged = false;
    app.UpdateSession([&](app::Session& s) {
        s.upstreamAtThisStart = upstream;
        upstreamChanged = upstream != s.upstreamAtLastStop;
    });
    if (upstreamChanged) {
        DisableAllSharing(app);
        PumpingDelay(host, 300);
    }
    if (StopRequested())
        return;

    if (Contains(name.Text(), " "))
        name.SetText(ReplaceMany(name.Text(), 3, 1, false, {{" ", ""}}));
    if (Contains(password.Text(), " "))
        password.SetText(ReplaceMany(password.Text(), 3, 1, false, {{" ", ""}}));
    const std::string ssid = Trim(name.Text());
    const std::string key = Trim(password.Text());
    settings::WriteSetting(host, "user", "ssid", name.Text());
    settings::WriteSetting(host, "user", "key", password.Text());

    // Quoted, so that a space or "=" left in either stays part of it.
    SetStartOutput(app, RunCommand(host, "netsh wlan set hostednetwork mode=allow ssid=\"" + ssid +
                                             "\" key=\"" + key + "\""));
    if (StopRequested())
        return;
    if (Contains(StartOutput(app), "管理员")) {
        EndEarly(app, kAdminMessage, 190, 200);
        return;
    }
    if (Trim(combo.Text()).empty()) {
        EndEarly(app, kNoUpstreamMessage, 200, 200);
        return;
    }
    PumpingDelay(host, 300);
    if (StopRequested())
        return;

    SharingOutcome outcome;
    const bool windows8 = app.osVersionCode.load() == kWindows8Code;
    if (!(windows8 ? StartWindows8(app, outcome) : StartWindows7(app, outcome)))
        return;

    if (Contains(StartOutput(app), "无法")) {
        ShowStartFailure(app);
        return;
    }

    ShowRunning(app);
    FindInterfaceIndex(app);
    if (StopRequested())
        return;
    TakeBaselines(app);
    if (main["单选框监控"].Checked())
        main["时钟循环列表"].SetInterval(10000);
    main["时钟流量条延时"].SetInterval(1000);
    app.UpdateSession([](app::Session& s) { s.sharingState = "共享完成"; });
    if (outcome.Succeeded()) {
        main["标签启动成功"].SetVisible(true);
        main["时钟启动成功提示"].SetInterval(5000);
    } else {
        // The phones can join but reach nothing: say so, and what to look at.
        main.ShowMessage(kSharingFailedText, "提示", 0x40);
    }
    PumpingDelay(host, 5000);
    if (StopRequested())
        return;
    StatisticsHit(app);
}

}  // namespace hs::hotspot
