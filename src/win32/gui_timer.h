#pragma once

// A one-shot timer on the GUI thread's message loop: the window logic's
// "try again shortly" and "not before the gap is over".

#include <windows.h>

#include <chrono>
#include <functional>

namespace drovane {

class GuiTimer {
public:
    // `window` carries the timer's messages; it must outlive the timer.
    GuiTimer(HWND window, std::function<void()> fire) : window_(window), fire_(std::move(fire)) {}
    GuiTimer(const GuiTimer&) = delete;
    GuiTimer& operator=(const GuiTimer&) = delete;
    GuiTimer(GuiTimer&&) = delete;
    GuiTimer& operator=(GuiTimer&&) = delete;
    ~GuiTimer() { stop(); }

    // Restarts a running one.
    void start(std::chrono::milliseconds delay);
    void stop();
    bool active() const { return active_; }

private:
    static void CALLBACK timerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

    HWND window_;
    std::function<void()> fire_;
    bool active_ = false;
};

} // namespace drovane
