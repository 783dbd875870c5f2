// The traffic displays on the windows: the session totals of page "流量统计" and the
// floating traffic bar with its rates, position, link menu and switch. Owns the
// traffic meter and the bar's rate; used on the window thread only.
#pragma once

#include <string>

#include "traffic/bar_rate.h"
#include "traffic/traffic_meter.h"
#include "ui/model.h"

namespace hs::app {

class App;

class TrafficView {
  public:
    explicit TrafficView(App& app);
    TrafficView(const TrafficView&) = delete;
    TrafficView& operator=(const TrafficView&) = delete;

    // A start succeeded: the meter begins a session from the start's baselines and
    // the bar follows the hosted interface the start found.
    void SharingStarted();
    // Sharing stopped: the totals keep the figures the session ended with.
    void SharingStopped();

    // Reads the table and writes the three total labels (unchanged while no session
    // runs or the hosted row is missing).
    void RefreshTotals();
    // The totals refresh follows page `page` of `选择夹1`.
    void PageChanged(int page);

    // The first tick of `时钟流量条延时`: loads the bar once and shows it when
    // `选择框显示流量` is checked.
    void OpenBar();
    // The bar's set-up when it is loaded: tip, position, snapshot, rate timer.
    void SetUpBar();
    bool BarLoaded() const { return barLoaded_; }
    // A tick of `时钟流量`: the two rate labels.
    void RefreshRates();
    // The bar was moved: its position goes to the settings file.
    void SaveBarPosition();
    // The bar's double click: the main window centred, briefly in front of others.
    void ShowMainFromBar();
    // The bar's right click: the link menu in the bubble, above or below the bar.
    void ShowBubbleMenu();
    // A link of the bubble menu.
    void LinkClicked(const std::string& message);
    // `选择框显示流量` clicked: stores the switch and shows or hides a loaded bar.
    void ShowBarClicked();

    const traffic::TrafficMeter& Meter() const { return meter_; }

  private:
    void ShowBar(bool on);

    App& app_;
    traffic::TrafficMeter meter_;
    traffic::BarRate rate_;
    bool barLoaded_ = false;
};

// The traffic part of the page change of `选择夹1` (entering "流量统计" refreshes the
// totals and starts their timer once sharing has come up; leaving it stops it).
void OnTrafficPageChanged(App& app, int page);

// Hooks the view onto the hotspot's start and stop, after the hooks set before.
void ChainTrafficView(App& app);

}  // namespace hs::app
