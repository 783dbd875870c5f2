#include "ui/driver.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace hs::ui {

// The running timers on the driver's virtual time. Kept up to date by an
// observer, which may be called from any thread that starts or stops a timer.
struct Driver::Timers {
    struct Entry {
        int64_t due = 0;
        int interval = 0;
        uint64_t generation = 0;  // changes whenever the timer is (re)started
    };
    std::mutex mutex;
    int64_t now = 0;
    uint64_t generations = 0;
    std::map<int, Entry> running;  // by control index

    void Set(int index, int interval) {
        std::lock_guard<std::mutex> lock(mutex);
        if (interval > 0) {
            running[index] = Entry{now + interval, interval, ++generations};
        } else {
            running.erase(index);
        }
    }
};

Driver::Driver(Window& window) : window_(window), timers_(std::make_shared<Timers>()) {
    std::shared_ptr<Timers> timers = timers_;
    observer_ = window_.AddObserver([timers](Control control, Property property) {
        if (property == Property::Interval && control.GetKind() == Kind::Timer) {
            timers->Set(control.Index(), control.Interval());
        }
    });
    for (int i = 0; i < window_.ControlCount(); ++i) {
        Control control = window_.At(i);
        if (control.GetKind() == Kind::Timer && control.Interval() > 0) {
            timers_->Set(i, control.Interval());
        }
    }
}

Driver::~Driver() {
    window_.RemoveObserver(observer_);
}

bool Driver::Reachable(Control control) {
    if (!control.Visible() || !control.Enabled()) {
        return false;
    }
    // Walk out through the containers; a bounded walk guards against a layout
    // whose containers name each other.
    std::string container = window_.Spec(control.Index()).container;
    for (int depth = 0; !container.empty() && depth < 16; ++depth) {
        Control outer = window_.Find(container);
        if (!outer) {
            break;
        }
        Kind kind = outer.GetKind();
        if (kind == Kind::PopupMenu) {
            break;  // menus are hidden until they pop up
        }
        if ((kind == Kind::GroupBox || kind == Kind::Tab) &&
            (!outer.Visible() || !outer.Enabled())) {
            return false;
        }
        container = window_.Spec(outer.Index()).container;
    }
    return true;
}

bool Driver::Press(const std::string& name, Event event, const EventArgs& args) {
    Control control = window_[name];
    if (!Reachable(control)) {
        return false;
    }
    window_.Dispatch(name, event, args);
    return true;
}

bool Driver::Click(const std::string& name) {
    Control control = window_[name];
    if (control.GetKind() == Kind::MenuItem) {
        return Choose(name);
    }
    if (!Reachable(control)) {
        return false;
    }
    if (control.GetKind() == Kind::CheckBox) {
        control.SetChecked(!control.Checked());
    } else if (control.GetKind() == Kind::Radio) {
        control.SetChecked(true);
    }
    window_.Dispatch(name, Event::Clicked);
    return true;
}

bool Driver::DoubleClick(const std::string& name) {
    return Press(name, Event::DoubleClicked);
}
bool Driver::LeftDown(const std::string& name) {
    return Press(name, Event::LeftDown);
}
bool Driver::RightDown(const std::string& name) {
    return Press(name, Event::RightDown);
}
bool Driver::RightUp(const std::string& name) {
    return Press(name, Event::RightUp);
}

bool Driver::Type(const std::string& name, const std::string& text) {
    Control control = window_[name];
    Kind kind = control.GetKind();
    if ((kind != Kind::Edit && kind != Kind::Combo) || !Reachable(control)) {
        return false;
    }
    control.SetText(text);
    return true;
}

bool Driver::Leave(const std::string& name) {
    return Press(name, Event::FocusLost);
}

bool Driver::Key(const std::string& name, int virtualKey) {
    return Press(name, Event::KeyUp, EventArgs{virtualKey, {}});
}

bool Driver::Choose(const std::string& item) {
    Control control = window_[item];
    if (control.GetKind() != Kind::MenuItem || !control.Visible() || !control.Enabled()) {
        return false;
    }
    window_.Dispatch(item, Event::ItemChosen);
    return true;
}

bool Driver::ChangePage(const std::string& tab, int page) {
    Control control = window_[tab];
    int pages = static_cast<int>(window_.Spec(control.Index()).pages.size());
    if (control.GetKind() != Kind::Tab || page < 0 || page >= pages || !Reachable(control)) {
        return false;
    }
    if (control.Position() == page) {
        return true;
    }
    control.SetPosition(page);
    window_.Dispatch(tab, Event::PageChanged, EventArgs{page, {}});
    return true;
}

bool Driver::MoveSlider(const std::string& slider, int position) {
    Control control = window_[slider];
    if (control.GetKind() != Kind::Slider || !Reachable(control)) {
        return false;
    }
    control.SetPosition(position);
    window_.Dispatch(slider, Event::PositionChanged, EventArgs{control.Position(), {}});
    return true;
}

bool Driver::ClickRow(const std::string& list, int row, Event event) {
    Control control = window_[list];
    if (control.GetKind() != Kind::ReportList || row < -1 || row >= control.RowCount() ||
        !Reachable(control)) {
        return false;
    }
    for (int selected : control.SelectedRows()) {
        if (selected != row) {
            control.SelectRow(selected, false);
        }
    }
    if (row >= 0) {
        control.SelectRow(row, true);
    }
    window_.Dispatch(list, event, EventArgs{row, {}});
    return true;
}

bool Driver::RightClickRow(const std::string& list, int row) {
    return ClickRow(list, row, Event::RowRightClicked);
}

bool Driver::DoubleClickRow(const std::string& list, int row) {
    return ClickRow(list, row, Event::DoubleClicked);
}

bool Driver::ClickLink(const std::string& balloon, const std::string& msg) {
    Control control = window_[balloon];
    Kind kind = control.GetKind();
    if (kind == Kind::Balloon) {
        if (!control.BalloonShown()) {
            return false;
        }
    } else if (kind != Kind::HyperText || !Reachable(control)) {
        return false;
    }
    std::vector<std::string> links = LinkMessages(control.Document());
    if (std::find(links.begin(), links.end(), msg) == links.end()) {
        return false;
    }
    window_.Dispatch(balloon, Event::LinkClicked, EventArgs{0, msg});
    return true;
}

bool Driver::TrayEvent(int code) {
    if (!window_.TrayShown()) {
        return false;
    }
    window_.Dispatch(window_.Self().Name(), Event::TrayEvent, EventArgs{code, {}});
    return true;
}

bool Driver::Close() {
    return window_.Dispatch(window_.Self().Name(), Event::CloseRequested);
}

bool Driver::MoveWindow(int left, int top) {
    Control self = window_.Self();
    if (!self.Visible()) {
        return false;
    }
    self.Move(left, top, self.Width(), self.Height());
    window_.Dispatch(self.Name(), Event::PositionChanged);
    return true;
}

bool Driver::FireTimer(const std::string& name) {
    Control control = window_[name];
    if (control.Interval() <= 0) {
        return false;
    }
    window_.Dispatch(name, Event::Tick);
    return true;
}

int Driver::AdvanceTimers(int64_t ms) {
    int64_t target;
    {
        std::lock_guard<std::mutex> lock(timers_->mutex);
        target = timers_->now + std::max<int64_t>(ms, 0);
    }
    int fired = 0;
    for (;;) {
        int index = -1;
        uint64_t generation = 0;
        {
            std::lock_guard<std::mutex> lock(timers_->mutex);
            auto next = timers_->running.end();
            for (auto it = timers_->running.begin(); it != timers_->running.end(); ++it) {
                if (it->second.due <= target &&
                    (next == timers_->running.end() || it->second.due < next->second.due)) {
                    next = it;  // the map is in layout order, so ties keep it
                }
            }
            if (next == timers_->running.end()) {
                timers_->now = target;
                break;
            }
            timers_->now = next->second.due;
            index = next->first;
            generation = next->second.generation;
        }
        Control timer = window_.At(index);
        if (timer.Interval() > 0) {
            window_.Dispatch(timer.Name(), Event::Tick);
            ++fired;
        }
        std::lock_guard<std::mutex> lock(timers_->mutex);
        auto it = timers_->running.find(index);
        if (it != timers_->running.end() && it->second.generation == generation) {
            it->second.due += it->second.interval;
        }
    }
    return fired;
}

int64_t Driver::Now() const {
    std::lock_guard<std::mutex> lock(timers_->mutex);
    return timers_->now;
}

std::vector<std::string> LinkMessages(const std::string& html) {
    std::vector<std::string> found;
    size_t i = 0, n = html.size();
    auto space = [&](size_t k) {
        return k < n && std::isspace(static_cast<unsigned char>(html[k]));
    };
    while ((i = html.find('<', i)) != std::string::npos) {
        ++i;
        // The tag's name.
        while (i < n && !space(i) && html[i] != '>') {
            ++i;
        }
        // Its attributes, up to the closing '>' (which may appear inside quotes).
        while (i < n && html[i] != '>') {
            while (space(i)) {
                ++i;
            }
            size_t start = i;
            while (i < n && !space(i) && html[i] != '=' && html[i] != '>') {
                ++i;
            }
            std::string name = html.substr(start, i - start);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            while (space(i)) {
                ++i;
            }
            if (i >= n || html[i] != '=') {
                if (name.empty() && i < n && html[i] != '>') {
                    ++i;  // a stray character: step over it
                }
                continue;
            }
            ++i;
            while (space(i)) {
                ++i;
            }
            std::string value;
            if (i < n && (html[i] == '"' || html[i] == '\'')) {
                char quote = html[i++];
                size_t end = html.find(quote, i);
                end = end == std::string::npos ? n : end;
                value = html.substr(i, end - i);
                i = end < n ? end + 1 : n;
            } else {
                size_t begin = i;
                while (i < n && !space(i) && html[i] != '>') {
                    ++i;
                }
                value = html.substr(begin, i - begin);
            }
            if (name == "msg") {
                found.push_back(value);
            }
        }
    }
    return found;
}

}  // namespace hs::ui
