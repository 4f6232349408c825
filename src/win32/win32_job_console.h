#pragma once

// Drains the window's job console on the GUI thread, at most about thirty
// times a second, so that a fast line never floods the message loop.

#include "win32/gui_timer.h"
#include "win32/win32_main_window.h"
#include "window/queued_job_console.h"

#include <chrono>
#include <functional>
#include <optional>

namespace drovane {

class Win32JobConsole final : public QueuedJobConsole {
public:
    // `applied` runs on the GUI thread after each batch.
    Win32JobConsole(Win32MainWindow& window, WindowView& view, AppState& state,
                    std::function<void()> applied);

    // The shortest gap between two batches.
    static constexpr std::chrono::milliseconds MinimumGap{33};

private:
    void scheduleDrain();
    void drainNow();

    GuiTimer drainTimer_;
    std::function<void()> applied_;
    // Empty until the first batch: a steady clock's zero is no "long ago".
    std::optional<std::chrono::steady_clock::time_point> lastDrain_;
};

} // namespace drovane
