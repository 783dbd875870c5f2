#include "app/exit.h"

#include "hotspot/stop_sharing.h"
#include "sys/worker.h"

namespace hs::app {

void ExitAtOnce(App& app, const ui::EventArgs&) {
    app.Bar().Self().SetVisible(false);
    app.Main().Self().SetVisible(false);
    KillThread(app.preparationThread);
    KillThread(app.clientListThread);
    app.Main().RemoveTrayIcon();
    hotspot::ResetToIdle(app);
    app.Quit(0);
}

}  // namespace hs::app
