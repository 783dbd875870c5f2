#include "hotspot/start_sharing.h"

#include <cstdio>
#include <vector>

#include "backend/adapter_discovery.h"
#include "backend/backend_choice.h"
#include "backend/console_words.h"
#include "hotspot/sharing_config.h"
#include "hotspot/start_checks.h"
#include "hotspot/stop_sharing.h"
#include "hotspot/update_check.h"
#include "settings/keys.h"
#include "sys/command.h"
#include "sys/delay.h"
#include "sys/dispatcher.h"
#include "sys/regex.h"
#include "sys/text.h"
#include "sys/worker.h"
#include "traffic/traffic_meter.h"

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

constexpr const char* kAddressesCommand = "netsh interface ipv4 show addresses";
constexpr const char* kAdminMessage =
    "无法开启！共享需要管理员权限，检测到您的电脑没有管理员权限。\r\n请参照界面上的【帮助信息】设置"
    "管理权限后重新运行。";
constexpr const char* kNoUpstreamMessage = "本机连网方式为空，请在【设置中心】选择一下！";
constexpr const char* kCouldNotRunMessage =
    "开启失败！系统命令 netsh 无法运行，热点没有开启。\r\n请检查系统文件夹 C:\\Windows\\System32 "
    "中的 netsh.exe 是否存在，或者是否被安全软件拦截，然后重新开启。";

// What the start reads from the window when the button is pressed.
struct StartInput {
    // As typed, and without their first three spaces (what is saved and used).
    std::string typedName;
    std::string typedPassword;
    std::string name;
    std::string password;
    std::string upstream;
    std::string upstreamAtLastStop;
    std::string wiredNames;
    std::string hostedName;
    bool windows8 = false;
    UpdateUrl url;
    std::string rootPath;
    std::string statisticsPath;
};

// What the start found, kept on its worker.
struct StartState {
    std::string output;      // the stored start output
    std::string hostedName;  // what 编辑框虚拟网卡 holds
    std::string wiredNames;  // what 编辑框去除多个本地 holds
    std::string ssid;        // the name and key the network was configured with
    std::string key;
    bool startRefused = false;    // the system did not confirm the start
    bool sharedBySystem = false;  // the Mobile Hotspot shares the upstream itself
    std::string startReason;      // why, where the start's answer does not say it
    SharingOutcome outcome;
};

// How a path of the start ended.
enum class PathEnd { Completed, Stopped, CouldNotRun };

// How each system's path differs.
struct PathTiming {
    backend::DiscoveryVariant variant;
    int discoveryRetryPauseMs;
};

class StartProcedure {
  public:
    StartProcedure(Hotspot& hotspot, StartInput input)
        : hotspot_(hotspot),
          host_(hotspot.GetHost()),
          window_(hotspot.GetDispatcher()),
          network_(&hotspot.Backend()),
          input_(std::move(input)) {
        state_.hostedName = input_.hostedName;
        state_.wiredNames = input_.wiredNames;
    }

    void Run();

  private:
    // Hands a change of the window or the session to the window thread.
    template <typename Apply>
    void Show(Apply apply) {
        window_.Post(std::move(apply));
    }
    void ShowHostedName() {
        Hotspot& hotspot = hotspot_;
        Show([&hotspot, name = state_.hostedName] { hotspot.SetHostedName(name); });
    }
    void ShowWiredNames() {
        Hotspot& hotspot = hotspot_;
        Show([&hotspot, names = state_.wiredNames] { hotspot.SetWiredNames(names); });
    }

    // An early end after the configure command: a balloon and the idle button.
    void EndEarly(const std::string& message, int dx, int dy);
    // The start failed: the message box, then everything back to idle.
    void Fail(const std::string& message);
    bool FindHostedAdapter(const PathTiming& timing);
    void SwitchSharingOn();
    void WaitForSharing(int attempts);
    bool HostedUsesDhcp();
    PathEnd StartWindows8();
    PathEnd StartWindows7();
    PathEnd StartMobileHotspot();
    bool StartStoringOutput();
    void ShowStarted();
    void ShowSuccess(const backend::HostedInterface& hosted,
                     const std::optional<traffic::CounterReading>& baselines);
    void StatisticsHit();

    Hotspot& hotspot_;
    Host& host_;
    Dispatcher& window_;
    // The way chosen at the start of Run.
    backend::HotspotBackend* network_;
    const StartInput input_;
    StartState state_;
};

std::string StaticAddressCommand(const std::string& hosted) {
    return "netsh interface ip set address name=\"" + hosted +
           "\" source=static addr=192.168.137.1 mask=255.255.255.0 gwmetric=1";
}

void StartProcedure::EndEarly(const std::string& message, int dx, int dy) {
    Hotspot& hotspot = hotspot_;
    Show([&hotspot, message, dx, dy] {
        hotspot.View().Balloon(message, dx, dy);
        hotspot.View().ShowIdleButton();
        hotspot.GetSession().startOutput.clear();
        hotspot.BecomeIdle();
    });
}

void StartProcedure::Fail(const std::string& message) {
    HotspotSink& view = hotspot_.View();
    AskWindow(
        window_, [&view, message] { return view.Ask(message, "开启失败", 0x40); }, 0);
    if (StopRequested())
        return;
    // Back to idle with sharing switched off, as at exit: the idle window first, then
    // the switch-off here on the start's worker, which ends right after.
    Hotspot& hotspot = hotspot_;
    Show([&hotspot] { hotspot.View().ShowResetting(); });
    const SwitchOff off = DisableAllSharing(host_, *network_, input_.windows8, state_.wiredNames);
    state_.wiredNames = off.wiredNames;
    Show([&hotspot, wired = state_.wiredNames, failed = off.failed] {
        hotspot.SetWiredNames(wired);
        hotspot.View().ShowIdleButton();
        hotspot.GetSession().startOutput.clear();
        if (failed)
            hotspot.View().Ask(kSwitchOffFailedText, "关闭失败", 0x10);
        hotspot.BecomeIdle();
    });
}

// Discovery, up to three more tries while nothing was found, then the override of
// settings section "1". False when a stop was asked.
bool StartProcedure::FindHostedAdapter(const PathTiming& timing) {
    state_.hostedName = network_->FindAdapter(timing.variant, state_.hostedName);
    ShowHostedName();
    for (int attempt = 0; attempt < 3 && state_.hostedName.empty(); ++attempt) {
        if (StopRequested())
            return false;
        state_.hostedName = network_->FindAdapter(timing.variant, state_.hostedName);
        ShowHostedName();
        Delay(host_, timing.discoveryRetryPauseMs);
    }
    if (settings::ReadSetting(host_, settings::kAdapterOverride) == "1") {
        state_.hostedName = settings::ReadSetting(host_, settings::kAdapterOverrideName);
        ShowHostedName();
    }
    return !StopRequested();
}

void StartProcedure::SwitchSharingOn() {
    state_.outcome = EnableHotspotSharing(host_, state_.hostedName, input_.upstream);
    hotspot_.sharingDone.store(1);
}

// Waits, one second per attempt, for the switch-on pass to report it went through
// every connection.
void StartProcedure::WaitForSharing(int attempts) {
    for (int attempt = 0; attempt < attempts && !StopRequested(); ++attempt) {
        const bool done = hotspot_.sharingDone.load() == 1;
        Delay(host_, 1000);
        if (done)
            break;
    }
}

// Whether the hosted adapter still takes its address from DHCP. The addresses listing
// is read as ever, but the adapter's own flag decides; only for an adapter the
// adapter list does not know does the listing: its line naming the adapter (in
// quotes, matched literally and whole) is followed by its DHCP line, which says yes.
bool StartProcedure::HostedUsesDhcp() {
    const std::string listing = RunCommand(host_, kAddressesCommand);
    if (const std::optional<AdapterInfo> adapter = backend::AdapterNamed(host_, state_.hostedName))
        return adapter->dhcpEnabled;
    RegexObject regex;
    std::string pattern = "\"";
    pattern += EscapeLiteral(state_.hostedName);
    pattern += "\".*\\n.*DHCP.*";
    // In its letter case: "wlan" is another connection than "WLAN".
    regex.Create(pattern, listing, true);
    return backend::SaysYes(regex.MatchText(1));
}

// Starts the network and keeps what the system answered as the start output. False
// when the start could not be carried out at all.
bool StartProcedure::StartStoringOutput() {
    const backend::Step step = network_->Start();
    state_.output = step.output;
    state_.startRefused = step.result == backend::StepResult::Refused;
    state_.startReason = step.reason;
    return step.Ran();
}

// The Windows 8 path: start, find the adapter, share, then the static address.
PathEnd StartProcedure::StartWindows8() {
    if (!StartStoringOutput())
        return StopRequested() ? PathEnd::Stopped : PathEnd::CouldNotRun;
    if (!FindHostedAdapter({backend::DiscoveryVariant::Windows8, 300}))
        return PathEnd::Stopped;
    Delay(host_, 500);
    if (StopRequested())
        return PathEnd::Stopped;
    SwitchSharingOn();
    WaitForSharing(10);
    Delay(host_, 1000);
    if (StopRequested())
        return PathEnd::Stopped;
    if (HostedUsesDhcp()) {
        RunCommand(host_, StaticAddressCommand(state_.hostedName));
        Delay(host_, 1000);
        if (StopRequested())
            return PathEnd::Stopped;
        SwitchSharingOn();
        Delay(host_, 1000);
        if (StopRequested())
            return PathEnd::Stopped;
        network_->Start();
    }
    return StopRequested() ? PathEnd::Stopped : PathEnd::Completed;
}

// The Windows 7 path: find the adapter, share, start, then the static address.
PathEnd StartProcedure::StartWindows7() {
    if (!FindHostedAdapter({backend::DiscoveryVariant::Other, 200}))
        return PathEnd::Stopped;
    Delay(host_, 500);
    if (StopRequested())
        return PathEnd::Stopped;
    SwitchSharingOn();
    WaitForSharing(20);
    if (StopRequested())
        return PathEnd::Stopped;
    if (!StartStoringOutput())
        return StopRequested() ? PathEnd::Stopped : PathEnd::CouldNotRun;
    Delay(host_, 800);
    if (StopRequested())
        return PathEnd::Stopped;
    if (HostedUsesDhcp()) {
        RunCommand(host_, StaticAddressCommand(state_.hostedName));
        Delay(host_, 1000);
        network_->Stop();
        if (StopRequested())
            return PathEnd::Stopped;
        SwitchSharingOn();
        Delay(host_, 3000);
        if (StopRequested())
            return PathEnd::Stopped;
        network_->Start();
    }
    return StopRequested() ? PathEnd::Stopped : PathEnd::Completed;
}

// The Mobile Hotspot: start it (it shares the upstream itself), then find its adapter by
// its address, which the system gives it a moment after the start.
PathEnd StartProcedure::StartMobileHotspot() {
    if (!StartStoringOutput())
        return StopRequested() ? PathEnd::Stopped : PathEnd::CouldNotRun;
    if (state_.startRefused)
        return PathEnd::Completed;
    state_.sharedBySystem = true;
    if (!FindHostedAdapter({backend::DiscoveryVariant::Other, 1000}))
        return PathEnd::Stopped;
    return StopRequested() ? PathEnd::Stopped : PathEnd::Completed;
}

// The window once the hosted network runs, shown before the interface index and the
// counters are read.
void StartProcedure::ShowStarted() {
    Hotspot& hotspot = hotspot_;
    Show([&hotspot] {
        hotspot.GetSession().phase = Phase::Running;
        hotspot.View().ShowRunning();
    });
}

// The session's index and baselines, the timers of the client list and the traffic
// bar, and the success tip or the warning that sharing failed.
void StartProcedure::ShowSuccess(const backend::HostedInterface& hosted,
                                 const std::optional<traffic::CounterReading>& baselines) {
    Hotspot& hotspot = hotspot_;
    const bool shared = state_.sharedBySystem || state_.outcome.Succeeded();
    const uint32_t code = state_.outcome.failureCode;
    const std::string output = state_.output;
    // Without an index the neighbour commands name the interface by its connection.
    const std::string neighbourInterface =
        hosted.index.empty() ? "\"" + state_.hostedName + "\"" : hosted.index;
    Show([&hotspot, hosted, neighbourInterface, baselines, shared, code, output, ssid = state_.ssid,
          key = state_.key] {
        Session& session = hotspot.GetSession();
        session.startOutput = output;
        session.hostedInterfaceIndex = neighbourInterface;
        session.hostedInterfaceNumber = hosted.number;
        session.baselines = baselines;
        session.ssid = ssid;
        session.key = key;
        session.sharingCompleted = true;
        session.sharingUp = shared;
        hotspot.View().ShowSucceeded(shared);
        // The phones can join but reach nothing: say so, and what to look at.
        if (!shared)
            hotspot.View().Ask(SharingFailedText(code), "提示", 0x40);
        for (const auto& told : hotspot.sharingStarted)
            told();
    });
}

// Loads the statistics page; nothing is read back.
void StartProcedure::StatisticsHit() {
    if (host_.http == nullptr)
        return;
    const UpdateUrl& url = input_.url;
    // The preparation stores the root piece just after it enables the button.
    const std::string root = input_.rootPath.empty() ? "/rjgx" : input_.rootPath;
    host_.http->Get(
        url[0] + url[1] + url[2] + url[3] + root + "/lanz" + input_.statisticsPath + url[4],
        CurrentStop());
}

void StartProcedure::Run() {
    Hotspot& hotspot = hotspot_;
    Show([&hotspot, upstream = input_.upstream] {
        hotspot.GetSession().upstreamAtThisStart = upstream;
    });
    // The way to switch the hotspot on: the driver's Hosted Network, or the Mobile
    // Hotspot where the driver cannot host one. Asking the system blocks, so it is
    // decided here on the worker.
    const backend::BackendKind kind =
        backend::DecideBackend(host_, settings::ReadSetting(host_, settings::kHotspotBackend));
    if (StopRequested())
        return;
    hotspot_.UseBackend(kind);
    network_ = &hotspot_.BackendOf(kind);
    const bool mobile = network_->SharesItself();
    network_->ShareFrom(Trim(input_.upstream));
    // Sharing from another upstream than at the last stop is switched off first; the
    // Mobile Hotspot's sharing is the system's own.
    if (!mobile && input_.upstream != input_.upstreamAtLastStop) {
        state_.wiredNames =
            DisableAllSharing(host_, *network_, input_.windows8, state_.wiredNames).wiredNames;
        ShowWiredNames();
        Delay(host_, 300);
    }
    if (StopRequested())
        return;

    // The name and password without their first spaces; the click saved them already.
    const std::string& name = input_.name;
    const std::string& password = input_.password;
    if (name != input_.typedName)
        Show([&hotspot, name] { hotspot.View().ShowName(name); });
    if (password != input_.typedPassword)
        Show([&hotspot, password] { hotspot.View().ShowPassword(password); });

    state_.ssid = Trim(name);
    state_.key = Trim(password);
    const backend::Step configured = network_->Configure(state_.ssid, state_.key);
    state_.output = configured.output;
    if (!configured.Ran() || configured.result == backend::StepResult::Refused) {
        // The Mobile Hotspot says what went wrong in words of its own.
        if (!StopRequested())
            Fail(mobile || configured.Ran() ? "开启失败！" + configured.output
                                            : std::string(kCouldNotRunMessage));
        return;
    }
    if (StopRequested())
        return;
    if (configured.result == backend::StepResult::NotAdministrator) {
        EndEarly(kAdminMessage, 190, 200);
        return;
    }
    if (Trim(input_.upstream).empty()) {
        EndEarly(kNoUpstreamMessage, 200, 200);
        return;
    }
    Delay(host_, 300);
    if (StopRequested())
        return;

    const PathEnd end = mobile            ? StartMobileHotspot()
                        : input_.windows8 ? StartWindows8()
                                          : StartWindows7();
    if (end == PathEnd::Stopped)
        return;
    if (mobile && (end == PathEnd::CouldNotRun || state_.startRefused)) {
        Fail("开启失败！" + state_.output);
        return;
    }
    if (end == PathEnd::CouldNotRun) {
        Fail(kCouldNotRunMessage);
        return;
    }
    if (state_.startRefused) {
        std::string text = "开启失败！失败类型：";
        text += RemoveBlankLines(state_.output);
        // The system's reason on a line of its own, where the answer did not say why.
        if (!state_.startReason.empty()) {
            if (text.empty() || text.back() != '\n')
                text += "\r\n";
            text += state_.startReason + "\r\n";
        }
        text += kStartFailureHelp;
        Fail(text);
        return;
    }

    ShowStarted();
    // The hosted interface's index from the offload listing, and its counters now.
    const backend::HostedInterface hosted = network_->InterfaceOf(state_.hostedName);
    if (StopRequested())
        return;
    const std::optional<traffic::CounterReading> baselines =
        traffic::TakeBaselines(host_, hosted.number);
    ShowSuccess(hosted, baselines);
    Delay(host_, 5000);
    if (StopRequested())
        return;
    StatisticsHit();
}

// The text without its first three spaces, as the name and password are saved and shown.
std::string FirstSpacesRemoved(const std::string& text) {
    return Contains(text, " ") ? ReplaceMany(text, 3, 1, false, {{" ", ""}}) : text;
}

// Starts the start procedure on its worker with what the session holds now.
void LaunchStart(Hotspot& hotspot, StartInput input) {
    Session& session = hotspot.GetSession();
    session.phase = Phase::Starting;
    input.upstreamAtLastStop = session.upstreamAtLastStop;
    input.wiredNames = session.wiredNames;
    input.hostedName = session.hostedName;
    input.rootPath = session.serverRootPath;
    input.statisticsPath = session.statisticsPath;
    // A finished start may still be in its last pause before the statistics request;
    // it is asked to end, so no start ever runs beside another.
    hotspot.startTask.Start(
        [&hotspot, input = std::move(input)] { StartProcedure(hotspot, input).Run(); });
}

}  // namespace

// What the user is told when the hosted network runs but sharing could not be switched
// on: the warning, and the system's result code where it gave one.
std::string SharingFailedText(uint32_t code) {
    std::string text = kSharingFailedText;
    if (code == 0)
        return text;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    text += "\r\n系统错误代码：";
    text += hex;
    text += "。";
    // Windows refuses to share from a connection whose sharing was never switched on
    // by hand.
    if (code == kSharingNeverEnabledByHand) {
        text +=
            "\r\n请先在本机连网方式那个连接的属性里，“共享”页手动开启一次"
            "“Internet 连接共享”，再重新开启热点。";
    }
    return text;
}

RunningHotspot ReadRunningHotspot(Hotspot& hotspot) {
    Host& host = hotspot.GetHost();
    hotspot.UseBackend(backend::BackendKind::MobileHotspot);
    backend::HotspotBackend& network = hotspot.Backend();
    RunningHotspot running;
    running.hostedName = network.FindAdapter(backend::DiscoveryVariant::Other, "");
    running.hosted = network.InterfaceOf(running.hostedName);
    running.baselines = traffic::TakeBaselines(host, running.hosted.number);
    running.ssid = Trim(settings::ReadSetting(host, settings::kSsid));
    running.key = Trim(settings::ReadSetting(host, settings::kKey));
    return running;
}

void ShowRunningHotspot(Hotspot& hotspot, const RunningHotspot& running) {
    Session& session = hotspot.GetSession();
    session.phase = Phase::Running;
    hotspot.SetHostedName(running.hostedName);
    session.hostedInterfaceIndex =
        running.hosted.index.empty() ? "\"" + running.hostedName + "\"" : running.hosted.index;
    session.hostedInterfaceNumber = running.hosted.number;
    session.baselines = running.baselines;
    session.ssid = running.ssid;
    session.key = running.key;
    session.sharingCompleted = true;
    session.sharingUp = true;
    hotspot.View().ShowRunning();
    // The timers of a start's success, without its tip: this start was not the user's.
    hotspot.View().ShowSucceeded(false);
    for (const auto& told : hotspot.sharingStarted)
        told();
}

void OnStartButtonClicked(Hotspot& hotspot, const StartRequest& request) {
    Session& session = hotspot.GetSession();
    if (session.phase == Phase::Running) {
        // What is left of the start (its last pause, the statistics request) ends
        // here, so nothing of it reaches the window after the stop.
        hotspot.startTask.RequestStop();
        hotspot.View().ShowClientsCleared();
        session.baselines.reset();
        StopSharing(hotspot, request.upstream);
        for (const auto& told : hotspot.sharingStopped)
            told();
        return;
    }
    // The button reads "开启共享" (while a start or a stop runs it is disabled, and while
    // a return to idle runs it already offers the next start).
    session.statisticsPath = "/tongji";
    if (!CheckNameAndPassword(hotspot, request.name, request.password))
        return;
    // From here until the start has ended the button is disabled, so no second start
    // and no stop can be asked for.
    hotspot.View().ShowStarting();

    StartInput input;
    input.typedName = request.name;
    input.typedPassword = request.password;
    input.name = FirstSpacesRemoved(input.typedName);
    input.password = FirstSpacesRemoved(input.typedPassword);
    // Saved at once: a start stopped right after the click keeps what the user typed.
    settings::WriteSetting(hotspot.GetHost(), settings::kSsid, input.name);
    settings::WriteSetting(hotspot.GetHost(), settings::kKey, input.password);
    input.upstream = request.upstream;
    input.windows8 = hotspot.Windows8();
    input.url = hotspot.updateUrl;
    if (session.phase != Phase::Idle) {
        // A return to idle (or a failed start's switch-off) still runs: this start
        // begins once it has ended, never beside it.
        hotspot.pendingStart = [&hotspot, input = std::move(input)] {
            LaunchStart(hotspot, input);
        };
        return;
    }
    LaunchStart(hotspot, std::move(input));
}

}  // namespace hs::hotspot
