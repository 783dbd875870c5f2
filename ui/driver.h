// The headless driver: does on a model window what a user does on the real one.
//
// Like a front end, it first writes what the user did into the model (a check
// mark, a typed text, a selected row, a slider position) and then dispatches the
// bound handler on the calling thread. Controls that are hidden or disabled, or
// sit in a hidden or disabled group box or tab control, take no input: the
// action returns false and nothing happens. A control on a tab page that is not
// the current one still takes input (turn the page with ChangePage first to run
// the page's handler as a user would).
//
// Timers run on the driver's own virtual time: AdvanceTimers(ms) fires every
// running timer as often as its interval fits, in time order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/model.h"

namespace hs::ui {

class Driver {
  public:
    explicit Driver(Window& window);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    Window& GetWindow() { return window_; }

    // A left click. A checkbox toggles its check mark and a radio button checks
    // itself (unchecking its group) before Clicked is dispatched.
    bool Click(const std::string& name);
    bool DoubleClick(const std::string& name);
    bool LeftDown(const std::string& name);
    bool RightDown(const std::string& name);
    bool RightUp(const std::string& name);

    // Types `text` into an edit or combo box (replacing its text). No event.
    bool Type(const std::string& name, const std::string& text);
    // The box loses the focus: FocusLost.
    bool Leave(const std::string& name);
    // A key is released in the box: KeyUp with the virtual key (Enter is 13).
    bool Key(const std::string& name, int virtualKey);

    // Chooses an item of a popup menu: ItemChosen.
    bool Choose(const std::string& item);
    // Turns a tab control to `page`: the position, then PageChanged with the page.
    // Turning to the page already shown does nothing (and returns true).
    bool ChangePage(const std::string& tab, int page);
    // Moves a slider: the position (clamped), then PositionChanged with it.
    bool MoveSlider(const std::string& slider, int position);
    // Right-clicks or double-clicks a row of a report list: that row alone becomes
    // selected, then RowRightClicked / DoubleClicked with the row. Row -1 is the
    // empty area below the rows: the selection is cleared and the event carries -1.
    bool RightClickRow(const std::string& list, int row);
    bool DoubleClickRow(const std::string& list, int row);
    // Clicks the link whose msg attribute is `msg` in a shown balloon: LinkClicked
    // with the msg text. False when the balloon is hidden or has no such link.
    bool ClickLink(const std::string& balloon, const std::string& msg);

    // A mouse action on the window's notification-area icon (1 click, 2 double
    // click, 3 right click). False while no icon is shown.
    bool TrayEvent(int code);
    // The user asks to close the window: CloseRequested. Returns whether a handler ran.
    bool Close();
    // The user drags the window to (left, top): the geometry, then PositionChanged.
    bool MoveWindow(int left, int top);

    // One Tick of a running timer (interval > 0); false when it is stopped.
    bool FireTimer(const std::string& name);
    // Lets `ms` milliseconds of virtual time pass, firing every running timer each
    // time its interval elapses, in time order (equal times in layout order). A
    // timer stopped, restarted or started by a handler is honoured from that
    // moment. Returns the number of ticks fired.
    int AdvanceTimers(int64_t ms);
    // Virtual milliseconds passed since the driver was made.
    int64_t Now() const;

  private:
    struct Timers;
    // Whether a user could reach the control: it and the group boxes and tab
    // controls around it are visible and enabled.
    bool Reachable(Control control);
    bool Press(const std::string& name, Event event, const EventArgs& args = {});
    bool ClickRow(const std::string& list, int row, Event event);

    Window& window_;
    std::shared_ptr<Timers> timers_;
    int observer_ = 0;
};

// The msg attributes of the links in a small hypertext document, in order.
std::vector<std::string> LinkMessages(const std::string& html);

}  // namespace hs::ui
