#include "app/shutdown_events.h"

#include "app/window_events.h"
#include "hotspot/stop_sharing.h"
#include "settings/shutdown.h"
#include "sys/delay.h"
#include "sys/dispatcher.h"
#include "sys/worker.h"

namespace hs::app {

namespace {

// Where the refusal balloon points, from the main window's top left: below the
// minutes box.
constexpr int kDelayBalloonX = 100;
constexpr int kDelayBalloonY = 252;

struct ShutdownControls {
    explicit ShutdownControls(ui::Window& main)
        : check(main["选择框关机"]),
          minutes(main["编辑框关机"]),
          label(main["标签关机"]),
          timer(main["时钟关机"]) {}
    ui::Control check, minutes, label, timer;
};

void Disarm(ShutdownControls& c) {
    c.label.SetVisible(false);
    c.timer.SetInterval(0);
}

// After the return to idle: the pause, then the request, on the shutdown worker. An
// exit in the meantime stops the worker, and a closed program never asks.
void RequestShutdown(App& app) {
    Host& host = app.GetHost();
    Dispatcher& window = app.GetDispatcher();
    app.shutdownTask.Start([&app, &host, &window] {
        Delay(host, kShutdownPauseMs);
        if (StopRequested())
            return;
        if (host.power != nullptr && host.power->Shutdown())
            return;
        window.Post([&app] {
            // The label would keep "one second left" for ever; say what happened and
            // disarm instead.
            ShutdownControls c(app.Main());
            c.check.SetChecked(false);
            Disarm(c);
            app.Main().ShowMessage(kShutdownRefusedText, kShutdownRefusedCaption, 0x10);
        });
    });
}

// One second left: the countdown stops, sharing goes off, and the shutdown is asked
// for after the pause.
void FinishCountdown(App& app, ShutdownControls& c) {
    c.timer.SetInterval(0);
    hotspot::ResetToIdle(app.Hotspot(), [&app](const hotspot::ResetEnd&) { RequestShutdown(app); });
}

}  // namespace

void ShutdownCheckChanged(App& app, const ui::EventArgs&) {
    ShutdownControls c(app.Main());
    if (!c.check.Checked()) {
        Disarm(c);
        return;
    }
    const std::optional<int64_t> delay = settings::ShutdownDelaySeconds(c.minutes.Text());
    if (!delay || *delay < 1) {
        // A typo must not turn into a shutdown a minute later.
        c.check.SetChecked(false);
        Disarm(c);
        app.Hotspot().View().Balloon(delay ? kShortDelayBalloon : kBadDelayBalloon, kDelayBalloonX,
                                     kDelayBalloonY);
        return;
    }
    app.shutdownLeft = settings::CountdownFrom(*delay);
    c.label.SetVisible(true);
    c.label.SetText(settings::CountdownLabel(app.shutdownLeft));
    // The end is one second left. A delay of one second starts there: a tick would take
    // it past the end to zero, and on from 59 seconds.
    if (settings::SecondsLeft(app.shutdownLeft, 1)) {
        FinishCountdown(app, c);
        return;
    }
    c.timer.SetInterval(kShutdownTickMs);
}

void ShutdownTick(App& app, const ui::EventArgs&) {
    ShutdownControls c(app.Main());
    settings::Countdown& left = app.shutdownLeft;
    settings::TickDown(left);
    if (settings::SecondsLeft(left, kShowWindowSecondsLeft))
        BringMainWindowIntoView(app);
    c.label.SetText(settings::CountdownLabel(left));
    if (settings::SecondsLeft(left, 1))
        FinishCountdown(app, c);
}

}  // namespace hs::app
