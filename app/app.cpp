#include "app/app.h"

#include <chrono>
#include <thread>

#include "app/exit.h"

#include "app/bindings.h"
#include "app/clients_view.h"
#include "app/hotspot_view.h"
#include "app/join_window.h"
#include "app/layout.h"
#include "app/traffic_view.h"
#include "app/watched_files.h"
#include "hotspot/preparation.h"

namespace hs::app {

App::App(Host& host, Dispatcher& dispatcher)
    : host_(host),
      dispatcher_(dispatcher),
      watchedFiles_(host.files == nullptr
                        ? nullptr
                        : std::make_unique<WatchedFiles>(
                              *host.files, dispatcher,
                              [this](const std::string& path) {
                                  main_->ShowTrayBalloon(kProgramTitle, WriteFailedText(path));
                              })),
      dpi_(host.desktop != nullptr ? host.desktop->Displays().dpi : kBaseDpi),
      main_(std::make_unique<ui::Window>(MainWindowLayout(), dpi_)),
      bar_(std::make_unique<ui::Window>(TrafficBarLayout(), dpi_)),
      join_(std::make_unique<ui::Window>(JoinWindowLayout(), dpi_)),
      hotspotView_(std::make_unique<HotspotView>(*main_)),
      hotspot_(std::make_unique<hotspot::Hotspot>(host, *hotspotView_, dispatcher)),
      traffic_(std::make_unique<TrafficView>(*this)),
      clients_(std::make_unique<ClientsView>(*this)) {
    if (watchedFiles_)
        host_.files = watchedFiles_.get();
    // Pictures held in the windows from the start.
    main_->Self().SetPicture(ui::kPictureWindowIcon);
    (*main_)["图片框下载"].SetPicture(ui::kPictureArrowDown);
    (*main_)["图片框上传"].SetPicture(ui::kPictureArrowUp);
    bar_->Self().SetPicture(ui::kPictureBarBackground);

    hotspot_->quit = [this](int code) { ExitProgram(*this, code); };
    for (const Binding& binding : EventBindings()) {
        ui::Window& window = binding.window == WindowId::Main ? *main_ : *bar_;
        const Action action = binding.action;
        window.Bind(binding.control, binding.event,
                    [this, action](const ui::EventArgs& args) { action(*this, args); });
    }
    // Told of the start and the stop in this order.
    ChainJoinWindow(*this);
    ChainTrafficView(*this);
    ChainClientsView(*this);
}

App::~App() {
    // The tasks' own destructors would join too; stopping all of them first lets them
    // end side by side.
    for (Task* task : Workers())
        task->RequestStop();
    for (Task* task : Workers())
        task->Join();
    if (watchedFiles_)
        host_.files = &watchedFiles_->Inner();
}

std::vector<Task*> App::Workers() {
    hotspot::Hotspot& h = *hotspot_;
    return {&h.preparationTask,    &h.startTask,           &h.stopTask,
            &h.resetTask,          &h.upstreamTask,        &overrideTask_,
            &clients_->PassTask(), &clients_->BlockTask(), &clients_->ReleaseTask(),
            &surfaceTask,          &collapseTask,          &shutdownTask,
            &exitBoundTask};
}

void App::StopWorkers() {
    for (Task* task : Workers())
        task->RequestStop();
}

bool App::EndWorkers() {
    StopWorkers();
    const auto now = std::chrono::steady_clock::now();
    const auto deadline = exiting ? exitDeadline : now + std::chrono::milliseconds(kExitBoundMs);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    std::vector<RunToken> runs;
    for (Task* task : Workers()) {
        for (const RunToken& run : task->Runs())
            runs.push_back(run);
    }
    WaitForRuns(runs, left > 0 ? left : 0);
    return !WorkersRunning();
}

bool App::WorkersRunning() {
    for (Task* task : Workers()) {
        if (task->Running())
            return true;
    }
    return false;
}

void App::Settle() {
    for (;;) {
        dispatcher_.Pump();
        if (!WorkersRunning()) {
            // What the last worker posted before it ended.
            dispatcher_.Pump();
            if (!WorkersRunning())
                return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void App::Quit(int exitCode) {
    if (ending_.exchange(true))
        return;
    exitBoundTask.RequestStop();
    exitCode_.store(exitCode);
    if (quitHook)
        quitHook(exitCode);
}

void StartPreparation(App& app) {
    if (app.preparationOverride) {
        app.overrideTask_.Start(app.preparationOverride);
        return;
    }
    hotspot::StartBackgroundPreparation(app.Hotspot());
}

}  // namespace hs::app
