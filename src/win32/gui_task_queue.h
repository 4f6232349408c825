#pragma once

// Work handed to the GUI thread from any thread, run there in order. A job
// thread never touches a control; it posts here.

#include <deque>
#include <functional>
#include <mutex>
#include <windows.h>

namespace drovane {

class GuiTaskQueue {
public:
    // The window posts itself `message` to be woken, and calls runPending().
    GuiTaskQueue(HWND window, UINT message) : window_(window), message_(message) {}

    // Any thread.
    void post(std::function<void()> task);
    // The GUI thread.
    void runPending();

private:
    HWND window_;
    UINT message_;
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};

} // namespace drovane
