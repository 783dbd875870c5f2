#include "app/exit.h"

#include <algorithm>
#include <vector>

#include "hotspot/stop_sharing.h"
#include "sys/delay.h"
#include "sys/dispatcher.h"

namespace hs::app {

namespace {

// Stops every timer of both windows: no tick may start anything during the exit.
void StopTimers(ui::Window& window) {
    for (int i = 0; i < window.ControlCount(); ++i) {
        ui::Control control = window.At(i);
        if (control.GetKind() == ui::Kind::Timer)
            control.SetInterval(0);
    }
}

struct Geometry {
    int left, top, width, height;
};

// The collapse's frames: sizes never go below 0 (the last step would take the window
// past it). A pause of kCollapsePauseMs lies after frame `pauseAfter`.
// The steps are scaled to the window's DPI, so the animation has as many frames at
// every DPI.
std::vector<Geometry> CollapseFrames(Geometry g, const ui::Window& window, size_t& pauseAfter) {
    const int heightStep = window.Scaled(kCollapseHeightStep);
    const int widthStep = window.Scaled(kCollapseWidthStep);
    const int collapsed = window.Scaled(kCollapsedSize);
    std::vector<Geometry> frames;
    while (g.height > collapsed) {
        g.height -= heightStep;
        g.top += heightStep / 2;
        frames.push_back({g.left, g.top, g.width, std::max(g.height, 0)});
    }
    pauseAfter = frames.size();
    while (g.width > collapsed) {
        g.width -= widthStep;
        g.left += widthStep / 2;
        frames.push_back({g.left, g.top, std::max(g.width, 0), std::max(g.height, 0)});
    }
    return frames;
}

// The exit has begun: its bound counts from here, the click of the close box
// included, not from the end of the collapse animation.
void BeginExit(App& app) {
    app.exiting = true;
    if (app.exitDeadline == std::chrono::steady_clock::time_point{})
        app.exitDeadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kExitBoundMs);
}

}  // namespace

void ExitProgram(App& app, int exitCode) {
    BeginExit(app);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          app.exitDeadline - std::chrono::steady_clock::now())
                          .count();
    app.Main().Self().SetVisible(false);
    app.Bar().Self().SetVisible(false);
    app.Join().Self().SetVisible(false);
    app.Main().RemoveTrayIcon();
    StopTimers(app.Main());
    StopTimers(app.Bar());
    app.StopWorkers();
    // Past the bound the program ends, whatever still runs.
    Dispatcher& window = app.GetDispatcher();
    app.exitBoundTask.Start([&app, &window, exitCode, left] {
        if (!CurrentStop()->WaitFor(std::max<int64_t>(left, 0)))
            window.Post([&app, exitCode] { app.Quit(exitCode); });
    });
    hotspot::ResetToIdle(
        app.Hotspot(), [&app, exitCode](const hotspot::ResetEnd&) { app.Quit(exitCode); },
        kExitStartWaitMs);
}

void ExitAtOnce(App& app, const ui::EventArgs&) {
    if (app.exiting)
        return;
    ExitProgram(app, 0);
}

void CloseAndExit(App& app, const ui::EventArgs&) {
    if (app.exiting)
        return;
    BeginExit(app);
    app.Bar().Self().SetVisible(false);
    StopTimers(app.Main());
    StopTimers(app.Bar());

    ui::Control self = app.Main().Self();
    self.SetBordered(false);
    size_t pauseAfter = 0;
    const std::vector<Geometry> frames = CollapseFrames(
        {self.Left(), self.Top(), self.Width(), self.Height()}, app.Main(), pauseAfter);
    // The frames are drawn one by one: the worker pauses while the window draws.
    Host& host = app.GetHost();
    Dispatcher& window = app.GetDispatcher();
    app.collapseTask.Start([&app, &host, &window, self, frames, pauseAfter] {
        for (size_t i = 0; i < frames.size(); ++i) {
            if (i == pauseAfter)
                Delay(host, kCollapsePauseMs);
            const Geometry g = frames[i];
            window.Post([self, g]() mutable { self.Move(g.left, g.top, g.width, g.height); });
            Delay(host, kCollapseStepMs);
        }
        if (pauseAfter == frames.size())
            Delay(host, kCollapsePauseMs);
        window.Post([&app, self]() mutable {
            self.SetVisible(false);
            ExitProgram(app, 0);
        });
    });
}

}  // namespace hs::app
