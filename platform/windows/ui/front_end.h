// The Win32 front end: real windows and common controls that mirror the control
// model.
//
// Every change of the model reaches the HWNDs on the window thread: the model's
// observer (called on whatever thread made the change) only records what changed
// and posts one private message to the window; the window thread then reads the
// model and applies it. What the user does is written into the model first, then
// the bound handler is dispatched on the window thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/model.h"

namespace hs::win::ui {

struct WindowView;

// How a window is framed. The main window is a captioned window; the traffic bar
// is a borderless, shaped, draggable strip.
struct WindowOptions {
    bool borderless = false;
    // A picture id painted as the background; its magenta pixels are cut out of the
    // window's shape.
    std::string background;
    // Dragging with the left button anywhere on the window moves it.
    bool draggable = false;
    // Show a real message box for Window::ShowMessage (tests install their own).
    bool messageBoxes = true;
};

class FrontEnd {
  public:
    FrontEnd();
    ~FrontEnd();
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    // Creates the window and all its controls from the model's current state, on
    // the calling thread, which becomes the window thread. The window starts hidden
    // unless the model says it is visible.
    void Create(hs::ui::Window& window, const WindowOptions& options = {});

    // Runs the message loop until Quit; returns the exit code.
    int Run();
    // Ends the message loop with `exitCode`. Safe from any thread.
    void Quit(int exitCode);

    // Applies every change that was posted but not yet applied (window thread).
    void Flush();

    // The HWND of a window or of one of its controls (nullptr when it has none).
    HWND WindowHandle(const hs::ui::Window& window) const;
    HWND ControlHandle(const hs::ui::Window& window, const std::string& name) const;
    // The balloon pop-up of a window while one is shown.
    HWND BalloonHandle(const hs::ui::Window& window) const;

  private:
    std::vector<std::unique_ptr<WindowView>> views_;
    DWORD thread_ = 0;
};

}  // namespace hs::win::ui
