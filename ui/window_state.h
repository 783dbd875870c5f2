// The inside of a model window: the state behind its controls, its bindings and
// its observers. Only the model's own sources include this.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/model.h"

namespace hs::ui::detail {

// The current value of every property of one control.
struct ControlState {
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    int position = 0;
    int interval = 0;
    int inputMode = kPlainInput;
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::string> items;
    std::vector<std::vector<std::string>> rows;
    std::vector<char> selected;  // one flag per row
    std::string picture;
    Colour titleColour;
    std::optional<Colour> textColour;
    std::string tip;
    bool tipStyled = false;
    std::string document;
    bool balloonShown = false;
    int balloonX = 0, balloonY = 0;
    bool balloonUpwards = false;
    bool topmost = false;
    int positionMode = kPositionNormal;
    bool bordered = true;
};

// An observer as registered. `active` is cleared on removal so that a copy of the
// observer list taken by a notification in progress skips it from then on.
struct ObserverSlot {
    int id = 0;
    Observer observer;
    std::atomic<bool> active{true};
};

// Changes made under the lock, announced after it was released.
using Pending = std::vector<std::pair<int, Property>>;

struct WindowState {
    mutable std::mutex mutex;
    std::vector<ControlSpec> specs;  // never changes after construction
    int dpi = 96;                    // likewise
    std::vector<ControlState> controls;
    std::unordered_map<std::string, int> byName;  // first control of each name
    std::map<std::pair<std::string, Event>, std::shared_ptr<const Handler>> handlers;
    std::vector<std::shared_ptr<ObserverSlot>> observers;
    int nextObserverId = 1;
    int hue = 0;
    bool themed = true;
    bool trayShown = false;
    std::string trayPicture;
    std::string trayTip;
    std::string trayBalloonTitle;
    std::string trayBalloonText;
    std::shared_ptr<const MessageBoxHandler> messageBox;

    // Tells every observer of every pending change. Call without the lock held.
    void Announce(Window& window, const Pending& pending);
};

// Reaches the state of a window from the model's sources.
struct WindowAccess {
    static WindowState& Of(const Window& window);
};

}  // namespace hs::ui::detail
