#include "app/window_events.h"

#include "app/traffic_view.h"
#include "sys/dispatcher.h"

namespace hs::app {

namespace {

void Resize(ui::Control window, int height) {
    window.Move(window.Left(), window.Top(), window.Width(), height);
}

}  // namespace

void BringMainWindowIntoView(App& app) {
    // An exit under way (it waits pumping messages) is not undone by the icon.
    if (app.exiting)
        return;
    ui::Control self = app.Main().Self();
    self.SetVisible(true);
    // The model knows no screen: the window is moved to the centre of the primary
    // screen here, and the front end restores it from the notification area or the
    // task bar.
    if (Desktop* desktop = app.GetHost().desktop) {
        const DisplayLayout layout = desktop->Displays();
        if (layout.screenWidth > 0 && layout.screenHeight > 0) {
            self.Move((layout.screenWidth - self.Width()) / 2,
                      (layout.screenHeight - self.Height()) / 2, self.Width(), self.Height());
        }
    }
    self.SetPositionMode(ui::kPositionCentred);
}

void ShowMainWindow(App& app) {
    if (app.exiting)
        return;
    BringMainWindowIntoView(app);
    app.Main().Self().Activate();
}

void SurfaceMainWindow(App& app, int64_t ms) {
    ui::Control self = app.Main().Self();
    if (self.Topmost() || app.exiting)
        return;
    self.SetTopmost(true);
    ContinueAfter(app.surfaceTask, app.GetHost(), app.GetDispatcher(), ms,
                  [self]() mutable { self.SetTopmost(false); });
}

void OnShowWindowChosen(App& app, const ui::EventArgs&) {
    ShowMainWindow(app);
}

void OnTrayEvent(App& app, const ui::EventArgs& args) {
    switch (args.code) {
        case 1:
        case 2:
            ShowMainWindow(app);
            SurfaceMainWindow(app, kSurfaceMs);
            return;
        case 3:
            app.Main()["菜单"].Popup();
            return;
        default:
            return;
    }
}

void OnMainRightUp(App& app, const ui::EventArgs&) {
    app.Main()["菜单"].Popup();
}

void HideToTray(App& app, const ui::EventArgs&) {
    ui::Control self = app.Main().Self();
    self.SetPositionMode(ui::kPositionMinimised);
    self.SetVisible(false);
    app.Main()["时钟流量统计"].SetInterval(0);
}

void OnPageChanged(App& app, const ui::EventArgs& args) {
    ui::Control self = app.Main().Self();
    if (args.code == kPageUsers) {
        // Applied on the window thread, step by step: the steps follow each other
        // without a pause, so a worker would show nothing more and would have to
        // hand every step back to this thread anyway.
        const int minimum = app.Main().Scaled(kUsersPageMinHeight);
        const int step = app.Main().Scaled(kGrowStep);
        while (self.Height() < minimum)
            Resize(self, self.Height() + step);
    } else {
        Resize(self, app.Main().Scaled(kMainWindowHeight));
    }
    OnTrafficPageChanged(app, args.code);
}

}  // namespace hs::app
