// The window thread's dispatcher on Windows: a closure posted from a worker wakes the
// window thread with a private message to a message-only window, whose procedure runs
// the queued closures.
#pragma once

#include <windows.h>

#include "sys/dispatcher.h"

namespace hs::win::ui {

class WindowsDispatcher : public Dispatcher {
  public:
    // Creates the message-only window on the calling thread, which must be the window
    // thread.
    WindowsDispatcher();
    ~WindowsDispatcher() override;
    WindowsDispatcher(const WindowsDispatcher&) = delete;
    WindowsDispatcher& operator=(const WindowsDispatcher&) = delete;

    // Processes every pending message of the window thread (and so the queued closures)
    // without waiting. A quit request met on the way is put back for the message loop.
    void Pump() override;
    // Runs the queued closures (the message-only window's procedure calls it).
    void RunQueued() { queue_.RunAll(); }

  protected:
    void Enqueue(std::function<void()> apply) override;

  private:
    HWND hwnd_ = nullptr;
    ClosureQueue queue_;
};

}  // namespace hs::win::ui
