#include "app/exit.h"

#include <algorithm>

#include "hotspot/stop_sharing.h"
#include "sys/delay.h"

namespace hs::app {

namespace {

// What both exits end with, once the windows are out of sight.
void EndProgram(App& app) {
    // Every worker is asked to stop and given the exit's one bounded wait; the
    // window keeps processing messages meanwhile.
    app.StopWorkers(kExitWaitMs);
    app.Main().RemoveTrayIcon();
    hotspot::ResetToIdle(app.Hotspot(), 0);
    app.Quit(0);
}

// One step of the collapse. Sizes never go below 0 (the last step would take the
// window past it). The dispatcher is pumped so that the front end draws each step.
void CollapseStep(App& app, ui::Control self, int left, int top, int width, int height) {
    self.Move(left, top, std::max(width, 0), std::max(height, 0));
    app.GetDispatcher().Pump();
}

}  // namespace

void ExitAtOnce(App& app, const ui::EventArgs&) {
    if (app.exiting)
        return;
    app.exiting = true;
    app.Bar().Self().SetVisible(false);
    app.Main().Self().SetVisible(false);
    EndProgram(app);
}

void CloseAndExit(App& app, const ui::EventArgs&) {
    if (app.exiting)
        return;
    app.exiting = true;
    app.Bar().Self().SetVisible(false);
    app.Bar()["时钟流量"].SetInterval(0);
    app.Main()["时钟循环列表"].SetInterval(0);

    ui::Control self = app.Main().Self();
    self.SetBordered(false);
    int left = self.Left(), top = self.Top(), width = self.Width(), height = self.Height();
    while (height > kCollapsedSize) {
        height -= kCollapseHeightStep;
        top += kCollapseHeightStep / 2;
        CollapseStep(app, self, left, top, width, height);
    }
    PumpingDelay(app.GetHost(), kCollapsePauseMs);
    while (width > kCollapsedSize) {
        width -= kCollapseWidthStep;
        left += kCollapseWidthStep / 2;
        CollapseStep(app, self, left, top, width, height);
    }
    self.SetVisible(false);
    EndProgram(app);
}

}  // namespace hs::app
