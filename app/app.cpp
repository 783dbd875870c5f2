#include "app/app.h"

#include "app/bindings.h"
#include "app/layout.h"
#include "hotspot/preparation.h"

namespace hs::app {

namespace {
// Each worker gets this long to reach the next step of its procedure when the
// program ends.
constexpr int64_t kWorkerStopWaitMs = 5000;
}  // namespace

App::App(Host& host)
    : host_(host),
      main_(std::make_unique<ui::Window>(MainWindowLayout())),
      bar_(std::make_unique<ui::Window>(TrafficBarLayout())) {
    // Pictures held in the windows from the start.
    main_->Self().SetPicture(ui::kPictureWindowIcon);
    (*main_)["图片框下载"].SetPicture(ui::kPictureArrowDown);
    (*main_)["图片框上传"].SetPicture(ui::kPictureArrowUp);
    bar_->Self().SetPicture(ui::kPictureBarBackground);

    for (const Binding& binding : EventBindings()) {
        ui::Window& window = binding.window == WindowId::Main ? *main_ : *bar_;
        const Action action = binding.action;
        window.Bind(binding.control, binding.event,
                    [this, action](const ui::EventArgs& args) { action(*this, args); });
    }
    backgroundPreparation = [this] { hotspot::BackgroundPreparation(*this); };
}

namespace {
// Asks a worker to stop; one that does not end in time is still waited for, because
// its procedure uses this object and the windows.
void StopWorker(WorkerHandle& worker) {
    WorkerHandle kept = worker;
    if (!KillThread(worker, kWorkerStopWaitMs))
        JoinThread(kept);
}
}  // namespace

App::~App() {
    StopWorkers();
}

void App::StopWorkers() {
    StopWorker(startThread);
    StopWorker(clientListThread);
    StopWorker(preparationThread);
}

void App::Quit(int exitCode) {
    exitCode_.store(exitCode);
    ending_.store(true);
    if (quitHook)
        quitHook(exitCode);
}

Session App::GetSession() const {
    std::lock_guard<std::mutex> lock(sessionMutex_);
    return session_;
}

void App::UpdateSession(const std::function<void(Session&)>& change) {
    std::lock_guard<std::mutex> lock(sessionMutex_);
    change(session_);
}

}  // namespace hs::app
