// A model window: construction from the layout table, lookup by name, event
// bindings, observers, theme, notification-area icon and message boxes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sys/dpi.h"
#include "ui/layout_scale.h"
#include "ui/model.h"
#include "ui/window_state.h"

namespace hs::ui {

struct Window::State : detail::WindowState {};

namespace detail {

WindowState& WindowAccess::Of(const Window& window) {
    return *window.state_;
}

void WindowState::Announce(Window& window, const Pending& pending) {
    if (pending.empty()) {
        return;
    }
    std::vector<std::shared_ptr<ObserverSlot>> slots;
    {
        std::lock_guard<std::mutex> lock(mutex);
        slots = observers;
    }
    for (const auto& [index, property] : pending) {
        for (const auto& slot : slots) {
            if (slot->active.load()) {
                slot->observer(Control(&window, index), property);
            }
        }
    }
}

}  // namespace detail

namespace {

detail::ControlState InitialState(const ControlSpec& spec) {
    detail::ControlState c;
    c.text = spec.caption;
    c.visible = !spec.hidden;
    c.enabled = !spec.disabled;
    c.checked = spec.checked;
    c.inputMode = spec.inputMode;
    c.left = spec.left;
    c.top = spec.top;
    c.width = spec.width;
    c.height = spec.height;
    switch (spec.kind) {
        case Kind::Slider:
            c.position = spec.minimum;
            break;
        case Kind::Combo:
            c.position = -1;
            break;
        default:
            c.position = 0;
            break;
    }
    return c;
}

bool IsYesNo(int flags) {
    int buttons = flags & 0xF;
    return buttons == 3 || buttons == 4;  // yes/no/cancel, yes/no
}

}  // namespace

Window::Window(std::vector<ControlSpec> specs, int dpi) : state_(std::make_unique<State>()) {
    if (specs.empty() || specs[0].kind != Kind::Window) {
        ControlSpec self;
        self.kind = Kind::Window;
        specs.insert(specs.begin(), self);
    }
    state_->dpi = dpi > 0 ? dpi : kBaseDpi;
    state_->specs = ScaleLayout(std::move(specs), state_->dpi);
    state_->controls.reserve(state_->specs.size());
    for (size_t i = 0; i < state_->specs.size(); ++i) {
        const ControlSpec& spec = state_->specs[i];
        state_->controls.push_back(InitialState(spec));
        state_->byName.emplace(spec.name, static_cast<int>(i));
    }
}

Window::~Window() = default;

Control Window::Find(const std::string& name) {
    auto it = state_->byName.find(name);
    if (it == state_->byName.end()) {
        return Control();
    }
    return Control(this, it->second);
}

Control Window::operator[](const std::string& name) {
    Control control = Find(name);
    if (!control) {
        std::fprintf(stderr, "ui: window \"%s\" has no control named \"%s\"\n",
                     state_->specs[0].name.c_str(), name.c_str());
        std::fflush(stderr);
        std::abort();
    }
    return control;
}

int Window::ControlCount() const {
    return static_cast<int>(state_->specs.size());
}

int Window::Dpi() const {
    return state_->dpi;
}

int Window::Scaled(int pixels) const {
    return ScaleToDpi(pixels, state_->dpi);
}

const ControlSpec& Window::Spec(int index) const {
    if (index < 0 || index >= ControlCount()) {
        std::fprintf(stderr, "ui: window \"%s\" has no control number %d\n",
                     state_->specs[0].name.c_str(), index);
        std::fflush(stderr);
        std::abort();
    }
    return state_->specs[index];
}

void Window::Bind(const std::string& control, Event event, Handler handler) {
    auto shared = handler ? std::make_shared<const Handler>(std::move(handler)) : nullptr;
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (shared) {
        state_->handlers[{control, event}] = std::move(shared);
    } else {
        state_->handlers.erase({control, event});
    }
}

bool Window::HasHandler(const std::string& control, Event event) const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->handlers.count({control, event}) != 0;
}

bool Window::Dispatch(const std::string& control, Event event, const EventArgs& args) {
    std::shared_ptr<const Handler> handler;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        auto it = state_->handlers.find({control, event});
        if (it == state_->handlers.end()) {
            return false;
        }
        handler = it->second;
    }
    (*handler)(args);
    return true;
}

int Window::AddObserver(Observer observer) {
    auto slot = std::make_shared<detail::ObserverSlot>();
    slot->observer = std::move(observer);
    std::lock_guard<std::mutex> lock(state_->mutex);
    slot->id = state_->nextObserverId++;
    state_->observers.push_back(slot);
    return slot->id;
}

void Window::RemoveObserver(int id) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    auto& list = state_->observers;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if ((*it)->id == id) {
            (*it)->active.store(false);
            list.erase(it);
            return;
        }
    }
}

void Window::Changed(int index, Property property) {
    state_->Announce(*this, {{index, property}});
}

int Window::Hue() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->hue;
}

void Window::SetHue(int hue) {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->hue == hue) {
            return;
        }
        state_->hue = hue;
    }
    Changed(0, Property::Palette);
}

bool Window::Themed() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->themed;
}

void Window::SetThemed(bool themed) {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->themed == themed) {
            return;
        }
        state_->themed = themed;
    }
    Changed(0, Property::Palette);
}

void Window::SetTrayIcon(const std::string& pictureId, const std::string& tip) {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->trayShown && state_->trayPicture == pictureId && state_->trayTip == tip) {
            return;
        }
        state_->trayShown = true;
        state_->trayPicture = pictureId;
        state_->trayTip = tip;
    }
    Changed(0, Property::Tray);
}

void Window::RemoveTrayIcon() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (!state_->trayShown) {
            return;
        }
        state_->trayShown = false;
        state_->trayPicture.clear();
        state_->trayTip.clear();
    }
    Changed(0, Property::Tray);
}

bool Window::TrayShown() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->trayShown;
}

std::string Window::TrayPicture() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->trayPicture;
}

std::string Window::TrayTip() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->trayTip;
}

void Window::ShowTrayBalloon(const std::string& title, const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->trayBalloonTitle = title;
        state_->trayBalloonText = text;
    }
    Changed(0, Property::TrayBalloon);
}

std::string Window::TrayBalloonTitle() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->trayBalloonTitle;
}

std::string Window::TrayBalloonText() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->trayBalloonText;
}

void Window::SetMessageBoxHandler(MessageBoxHandler handler) {
    auto shared = handler ? std::make_shared<const MessageBoxHandler>(std::move(handler)) : nullptr;
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->messageBox = std::move(shared);
}

int Window::ShowMessage(const std::string& text, const std::string& caption, int flags) {
    std::shared_ptr<const MessageBoxHandler> handler;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        handler = state_->messageBox;
    }
    if (!handler) {
        return IsYesNo(flags) ? 7 : 1;  // IDNO : IDOK
    }
    return (*handler)(text, caption, flags);
}

}  // namespace hs::ui
