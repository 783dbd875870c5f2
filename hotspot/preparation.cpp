#include "hotspot/preparation.h"

#include <optional>
#include <vector>

#include "hotspot/services.h"
#include "hotspot/sharing_config.h"
#include "hotspot/start_sharing.h"
#include "hotspot/stop_sharing.h"
#include "hotspot/update_check.h"
#include "hotspot/upstream.h"
#include "settings/keys.h"
#include "sys/worker.h"

namespace hs::hotspot {

namespace {

constexpr int kDemandStart = 3;
constexpr int kAutoStart = 2;
constexpr const char* kRootPath = "/rjgx";
constexpr const char* kUpdatePath = "/lanzgx";

// What the preparation reads from the window before it starts.
struct PreparationInput {
    bool windows8 = false;
    std::string wiredNames;
    UpdateUrl url;
};

void Prepare(Hotspot& hotspot, const PreparationInput& input) {
    Host& host = hotspot.GetHost();
    Dispatcher& window = hotspot.GetDispatcher();
    HotspotSink& view = hotspot.View();

    // Leftover sharing is off before the user can start anything; but a Mobile Hotspot
    // that is on shares through the system's own sharing, which stays: it is shown as
    // running instead.
    std::optional<RunningHotspot> running;
    if (backend::MobileHotspotIsOn(host))
        running = ReadRunningHotspot(hotspot);
    const std::string wired =
        running ? input.wiredNames
                : DisableAllSharing(host, hotspot.Backend(), input.windows8, input.wiredNames)
                      .wiredNames;
    window.Post([&hotspot, wired] { hotspot.SetWiredNames(wired); });
    if (StopRequested())
        return;

    const std::vector<std::string> items = ListConnections(host, input.windows8);
    window.Post([&view, items] { view.ShowUpstreams(items); });
    const std::string chosen = ChooseUpstream(host, items, wired);
    window.Post([&view, chosen] { view.ShowUpstream(chosen); });
    // The remembered upstream choice wins over the automatic one.
    const bool remembered = settings::ReadSetting(host, settings::kRememberUpstream) == "1";
    const std::string rememberedName =
        remembered ? settings::ReadSetting(host, settings::kUpstreamName) : std::string();
    window.Post([&view, remembered, rememberedName] {
        view.ShowRememberUpstream(remembered);
        if (remembered)
            view.ShowUpstream(rememberedName);
    });
    if (StopRequested())
        return;

    window.Post([&hotspot, running] {
        hotspot.View().ShowReady();
        hotspot.GetSession().serverRootPath = kRootPath;
        hotspot.GetSession().serverUpdatePath = kUpdatePath;
        // In the same step, so no click finds the start button offering a second start.
        if (running && hotspot.GetSession().phase == Phase::Idle)
            ShowRunningHotspot(hotspot, *running);
    });
    if (OfferUpdate(hotspot, FetchUpdateOffer(host, input.url, kRootPath, kUpdatePath)) ||
        StopRequested()) {
        return;
    }
    const std::string announcement = FetchAnnouncement(host, input.url, kRootPath);
    if (StopRequested())
        return;
    window.Post([&view, announcement] { view.ShowAnnouncement(announcement); });
    EnsureService(host, "SharedAccess", kDemandStart, false);
    if (StopRequested())
        return;
    if (!EnsureService(host, "MpsSvc", kAutoStart, true)) {
        window.Post([&view] { view.Ask("防火墙打开失败，所依赖服务可能不完整！", "提示", 0x10); });
    }
}

}  // namespace

void StartBackgroundPreparation(Hotspot& hotspot) {
    PreparationInput input;
    input.windows8 = hotspot.Windows8();
    input.wiredNames = hotspot.GetSession().wiredNames;
    input.url = hotspot.updateUrl;
    hotspot.preparationTask.Start([&hotspot, input] { Prepare(hotspot, input); });
}

}  // namespace hs::hotspot
