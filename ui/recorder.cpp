#include "ui/recorder.h"

namespace hs::ui {

std::string PropertyValue(Control control, Property property) {
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    switch (property) {
        case Property::Text:
            return control.Text();
        case Property::Visible:
            return flag(control.Visible());
        case Property::Enabled:
            return flag(control.Enabled());
        case Property::Checked:
            return flag(control.Checked());
        case Property::Position:
            return std::to_string(control.Position());
        case Property::Interval:
            return std::to_string(control.Interval());
        case Property::InputMode:
            return std::to_string(control.GetInputMode());
        case Property::Geometry:
            return std::to_string(control.Left()) + "," + std::to_string(control.Top()) + "," +
                   std::to_string(control.Width()) + "," + std::to_string(control.Height());
        case Property::Items:
            return std::to_string(control.Items().size());
        case Property::Rows:
            return std::to_string(control.RowCount());
        case Property::Selection:
            return std::to_string(control.SelectedCount());
        case Property::Picture:
            return control.Picture();
        case Property::TitleColour: {
            Colour c = control.TitleColour();
            return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
        }
        case Property::TextColour: {
            const std::optional<Colour> c = control.TextColour();
            if (!c)
                return "";
            return std::to_string(c->r) + "," + std::to_string(c->g) + "," + std::to_string(c->b);
        }
        case Property::Tip:
            return control.Tip();
        case Property::Document:
            return control.Document();
        case Property::Balloon:
            return flag(control.BalloonShown());
        case Property::Popup:
            return "";
        case Property::Topmost:
            return flag(control.Topmost());
        case Property::Palette:
            return std::to_string(control.Owner().Hue());
        case Property::Tray:
            return control.Owner().TrayPicture();
        case Property::PositionMode:
            return std::to_string(control.PositionMode());
        case Property::Activate:
            return "";
        case Property::Border:
            return flag(control.Bordered());
        case Property::Focus:
            return "";
        case Property::TrayBalloon:
            return control.Owner().TrayBalloonText();
    }
    return "";
}

struct Recorder::Log {
    mutable std::mutex mutex;
    std::vector<Change> changes;
};

Recorder::Recorder(Window& window) : window_(window), log_(std::make_shared<Log>()) {
    std::shared_ptr<Log> log = log_;
    observer_ = window_.AddObserver([log](Control control, Property property) {
        Change change{control.Name(), property, PropertyValue(control, property)};
        std::lock_guard<std::mutex> lock(log->mutex);
        log->changes.push_back(std::move(change));
    });
}

Recorder::~Recorder() {
    window_.RemoveObserver(observer_);
}

std::vector<Recorder::Change> Recorder::Changes() const {
    std::lock_guard<std::mutex> lock(log_->mutex);
    return log_->changes;
}

std::vector<std::string> Recorder::Values(const std::string& control, Property property) const {
    std::vector<std::string> values;
    std::lock_guard<std::mutex> lock(log_->mutex);
    for (const Change& change : log_->changes) {
        if (change.control == control && change.property == property) {
            values.push_back(change.value);
        }
    }
    return values;
}

int Recorder::Count(const std::string& control, Property property) const {
    return static_cast<int>(Values(control, property).size());
}

void Recorder::Clear() {
    std::lock_guard<std::mutex> lock(log_->mutex);
    log_->changes.clear();
}

struct MessageBoxScript::Script {
    mutable std::mutex mutex;
    std::deque<int> answers;
    std::vector<Shown> seen;
};

MessageBoxScript::MessageBoxScript(Window& window)
    : window_(window), script_(std::make_shared<Script>()) {
    std::shared_ptr<Script> script = script_;
    window_.SetMessageBoxHandler(
        [script](const std::string& text, const std::string& caption, int flags) {
            std::lock_guard<std::mutex> lock(script->mutex);
            int buttons = flags & 0xF;
            int answer = buttons == 3 || buttons == 4 ? 7 : 1;  // IDNO : IDOK
            if (!script->answers.empty()) {
                answer = script->answers.front();
                script->answers.pop_front();
            }
            script->seen.push_back(Shown{text, caption, flags, answer});
            return answer;
        });
}

MessageBoxScript::~MessageBoxScript() {
    window_.SetMessageBoxHandler(nullptr);
}

void MessageBoxScript::Answer(int answer) {
    std::lock_guard<std::mutex> lock(script_->mutex);
    script_->answers.push_back(answer);
}

std::vector<MessageBoxScript::Shown> MessageBoxScript::Seen() const {
    std::lock_guard<std::mutex> lock(script_->mutex);
    return script_->seen;
}

}  // namespace hs::ui
