#include "hotspot/stop_sharing.h"

#include <vector>

#include "hotspot/sharing_config.h"
#include "sys/dispatcher.h"

namespace hs::hotspot {

const char* const kStopFailedText =
    "关闭失败！系统命令 netsh 无法运行，WiFi热点仍在运行。\r\n请检查系统文件夹 "
    "C:\\Windows\\System32 中的 netsh.exe 是否存在，或者是否被安全软件拦截，然后重新关闭。";

const char* const kSwitchOffFailedText =
    "关闭共享失败！Internet 连接共享或承载网络没能关闭，本机的连接可能仍在共享。\r\n"
    "请在【设置中心】点“查看连接”，在该连接的属性里取消共享。";

void StopSharing(Hotspot& hotspot, const std::string& upstream) {
    Session& session = hotspot.GetSession();
    hotspot.View().ShowStopping();
    session.upstreamAtLastStop = upstream;
    session.phase = Phase::Stopping;
    Dispatcher& window = hotspot.GetDispatcher();
    backend::HotspotBackend& network = hotspot.Backend();
    hotspot.stopTask.Start([&hotspot, &network, &window] {
        const backend::Step step = network.Stop();
        // The Mobile Hotspot has stopped only when the system says so; the hosted network
        // once its stop command ran.
        const bool mobile = network.SharesItself();
        const bool ran = mobile ? step.result == backend::StepResult::Done : step.Ran();
        const std::string failure = mobile ? "关闭失败！" + step.output : kStopFailedText;
        window.Post([&hotspot, ran, failure] {
            if (ran) {
                hotspot.View().ShowStopped();
                hotspot.BecomeIdle();
                return;
            }
            // The hosted network still runs: never leave "未启动" over it.
            hotspot.GetSession().phase = Phase::Running;
            hotspot.View().ShowRunning();
            hotspot.View().Ask(failure, "关闭失败", 0x10);
            for (const auto& told : hotspot.sharingStarted)
                told();
        });
    });
}

const char* const kSwitchedOffBySystemText =
    "WiFi热点已被系统关闭（无人连接超时、电脑睡眠、在 Windows 设置里关闭或网卡驱动），"
    "需要时请重新开启共享。";

bool HotspotWentOff(Hotspot& hotspot) {
    Session& session = hotspot.GetSession();
    if (session.phase != Phase::Running)
        return false;
    // What is left of the start (its last pause, the statistics request) ends here.
    hotspot.startTask.RequestStop();
    hotspot.View().ShowClientsCleared();
    session.baselines.reset();
    session.upstreamAtLastStop = session.upstreamAtThisStart;
    hotspot.View().ShowStopping();
    hotspot.View().ShowStopped();
    hotspot.BecomeIdle();
    for (const auto& told : hotspot.sharingStopped)
        told();
    return true;
}

void ResetToIdle(Hotspot& hotspot, std::function<void(const ResetEnd&)> then, int64_t waitMs) {
    Session& session = hotspot.GetSession();
    hotspot.View().ShowResetting();
    session.phase = Phase::Stopping;
    // A running start and stop are asked to end; whatever they post from now on is
    // dropped. The switch-off waits for them on the worker, so that no later step of
    // the start can switch sharing on again after it.
    hotspot.startTask.RequestStop();
    hotspot.stopTask.RequestStop();
    std::vector<RunToken> runs = hotspot.startTask.Runs();
    for (const RunToken& run : hotspot.stopTask.Runs())
        runs.push_back(run);
    Host& host = hotspot.GetHost();
    Dispatcher& window = hotspot.GetDispatcher();
    const bool windows8 = hotspot.Windows8();
    hotspot.resetTask.Start([&hotspot, &host, &window, runs = std::move(runs), windows8,
                             wired = session.wiredNames, waitMs, then = std::move(then)] {
        ResetEnd end;
        end.startEnded = WaitForRuns(runs, waitMs);
        std::string names = wired;
        if (end.startEnded) {
            const SwitchOff off = DisableAllSharing(host, hotspot.Backend(), windows8, wired);
            names = off.wiredNames;
            end.failed = off.failed;
        }
        window.Post([&hotspot, end, names, then] {
            hotspot.SetWiredNames(names);
            if (then)
                then(end);
            else if (end.failed)
                hotspot.View().Ask(kSwitchOffFailedText, "关闭失败", 0x10);
            hotspot.BecomeIdle();
        });
    });
}

}  // namespace hs::hotspot
