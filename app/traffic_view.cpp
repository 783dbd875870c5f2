#include "app/traffic_view.h"

#include <utility>

#include "app/app.h"
#include "app/window_events.h"
#include "traffic/bar_menu.h"
#include "traffic/bar_position.h"

namespace hs::app {

namespace {

constexpr const char* kTotalsTimer = "时钟流量统计";
constexpr const char* kBarOpenTimer = "时钟流量条延时";
constexpr const char* kShowBarBox = "选择框显示流量";
constexpr const char* kRateTimer = "时钟流量";
constexpr const char* kBarLabel = "透明标签1";
constexpr const char* kBubble = "气球提示框1";

}  // namespace

TrafficView::TrafficView(App& app) : app_(app) {}

void TrafficView::SharingStarted() {
    const hotspot::Session& session = app_.Hotspot().GetSession();
    meter_.BeginSession(session.hostedInterfaceNumber, session.baselines);
    rate_.SetInterfaceNumber(session.hostedInterfaceNumber);
}

void TrafficView::SharingStopped() {
    meter_.EndSession();
}

void TrafficView::RefreshTotals() {
    const auto texts = meter_.Refresh(app_.GetHost());
    if (!texts)
        return;
    ui::Window& main = app_.Main();
    main["标签本次下载流量"].SetText(texts->download);
    main["标签本次上传流量"].SetText(texts->upload);
    main["标签本次总流量"].SetText(texts->total);
}

void TrafficView::PageChanged(int page) {
    ui::Control timer = app_.Main()[kTotalsTimer];
    if (page != kPageTraffic) {
        timer.SetInterval(0);
        return;
    }
    // Before the first successful start there is nothing to count: the labels keep
    // "0.00 MB" and the timer stays as it is.
    if (!app_.Hotspot().GetSession().sharingCompleted)
        return;
    RefreshTotals();
    timer.SetInterval(traffic::kTotalsRefreshMs);
}

void TrafficView::OpenBar() {
    app_.Main()[kBarOpenTimer].SetInterval(0);
    ui::Window& bar = app_.Bar();
    // Only ever one bar: its set-up runs when it is first loaded.
    if (!barLoaded_)
        bar.Dispatch(bar.Self().Name(), ui::Event::Created);
    if (app_.Main()[kShowBarBox].Checked())
        bar.Self().SetVisible(true);
}

void TrafficView::SetUpBar() {
    if (barLoaded_)
        return;
    barLoaded_ = true;
    ui::Window& bar = app_.Bar();
    Host& host = app_.GetHost();
    bar[kBarLabel].SetTip(traffic::kBarTip, true);
    // The interface number comes from the start that just succeeded; the snapshot
    // lets the first tick show no traffic rather than everything since boot.
    rate_.SetInterfaceNumber(app_.Hotspot().GetSession().hostedInterfaceNumber);
    rate_.RefreshSnapshot(host);
    const traffic::BarPosition position = traffic::ReadBarPosition(host);
    bar.Self().Move(position.left, position.top, bar.Scaled(traffic::kBarWidth),
                    bar.Scaled(traffic::kBarHeight));
    bar[kRateTimer].SetInterval(traffic::kBarRefreshMs);
}

void TrafficView::RefreshRates() {
    const auto texts = rate_.Tick(app_.GetHost());
    if (!texts)
        return;
    ui::Window& bar = app_.Bar();
    bar["下载透明标签"].SetText(texts->download);
    bar["上传透明标签"].SetText(texts->upload);
}

void TrafficView::SaveBarPosition() {
    const ui::Control self = app_.Bar().Self();
    traffic::SaveBarPosition(app_.GetHost(), {self.Left(), self.Top()});
}

void TrafficView::ShowMainFromBar() {
    BringMainWindowIntoView(app_);
    SurfaceMainWindow(app_, traffic::kBringToFrontMs);
}

void TrafficView::ShowBubbleMenu() {
    ui::Window& bar = app_.Bar();
    const ui::Control self = bar.Self();
    DisplayLayout displays;
    if (Desktop* desktop = app_.GetHost().desktop)
        displays = desktop->Displays();
    // Up or down from the height of the monitor that holds the bar, which need not be
    // the primary one.
    const traffic::BubblePlacement place =
        traffic::PlaceBubble({self.Left(), self.Top()}, displays);
    bar[kBubble].ShowBalloon(traffic::kBubbleMenuDocument, place.x, place.y, place.upwards);
}

void TrafficView::LinkClicked(const std::string& message) {
    switch (traffic::ReadBubbleLink(message)) {
        case traffic::BubbleLink::ShowMainWindow: {
            ui::Control self = app_.Main().Self();
            self.SetVisible(true);
            self.SetPositionMode(ui::kPositionNormal);
            return;
        }
        case traffic::BubbleLink::HideBar:
            app_.Bar()[kBubble].HideBalloon();
            ShowBar(false);
            app_.Main()[kShowBarBox].SetChecked(false);
            traffic::WriteBarSwitch(app_.GetHost(), false);
            return;
        case traffic::BubbleLink::None:
            return;
    }
}

void TrafficView::ShowBarClicked() {
    const bool on = app_.Main()[kShowBarBox].Checked();
    traffic::WriteBarSwitch(app_.GetHost(), on);
    // Before sharing has ever come up the bar is not loaded: only the switch changes.
    if (barLoaded_)
        ShowBar(on);
}

void TrafficView::ShowBar(bool on) {
    ui::Window& bar = app_.Bar();
    bar.Self().SetVisible(on);
    bar[kRateTimer].SetInterval(on ? traffic::kBarRefreshMs : 0);
}

void OnTrafficPageChanged(App& app, int page) {
    app.Traffic().PageChanged(page);
}

void ChainTrafficView(App& app) {
    hotspot::Hotspot& hotspot = app.Hotspot();
    TrafficView& view = app.Traffic();
    hotspot.sharingStarted.push_back([&view] { view.SharingStarted(); });
    hotspot.sharingStopped.push_back([&view] { view.SharingStopped(); });
}

}  // namespace hs::app
