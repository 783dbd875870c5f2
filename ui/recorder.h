// Test aids: a recorder of the changes a window announces, and a scripted
// answerer of its message boxes.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/model.h"

namespace hs::ui {

// The value of a control's property as text, as an observer sees it: texts as they
// are, flags "1"/"0", numbers in decimal, colours "r,g,b", geometry
// "left,top,width,height", rows and items their count, the palette the hue, the
// tray its picture ("" when removed), a balloon "1"/"0", a popup and an activation "",
// a position mode its number, a border "1"/"0".
std::string PropertyValue(Control control, Property property);

// Records every change a window announces, from any thread, with the property's
// value read at the moment of the announcement.
class Recorder {
  public:
    struct Change {
        std::string control;
        Property property;
        std::string value;
    };

    explicit Recorder(Window& window);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::vector<Change> Changes() const;
    // The recorded values of one control's property, in order.
    std::vector<std::string> Values(const std::string& control, Property property) const;
    int Count(const std::string& control, Property property) const;
    void Clear();

  private:
    struct Log;
    Window& window_;
    std::shared_ptr<Log> log_;
    int observer_ = 0;
};

// Answers a window's message boxes from a script and remembers what was shown.
// Installed as the window's handler while it lives.
class MessageBoxScript {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        int flags = 0;
        int answer = 0;
    };

    explicit MessageBoxScript(Window& window);
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    // Queues the answer to the next box (IDOK 1, IDYES 6, IDNO 7). Once the queue is
    // empty, plain boxes get IDOK and yes/no boxes IDNO.
    void Answer(int answer);
    std::vector<Shown> Seen() const;

  private:
    struct Script;
    Window& window_;
    std::shared_ptr<Script> script_;
};

}  // namespace hs::ui
