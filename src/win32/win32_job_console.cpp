#include "win32/win32_job_console.h"

#include <algorithm>
#include <utility>

namespace drovane {

Win32JobConsole::Win32JobConsole(Win32MainWindow& window, WindowView& view, AppState& state,
                                 std::function<void()> applied)
    : QueuedJobConsole(view, state), drainTimer_(window.handle(), [this] { drainNow(); }),
      applied_(std::move(applied)) {
    setWakeUp([this, &window] { window.post([this] { scheduleDrain(); }); });
}

void Win32JobConsole::scheduleDrain() {
    if (drainTimer_.active()) {
        return;
    }
    const auto since = lastDrain_ ? std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - *lastDrain_)
                                  : MinimumGap;
    if (since >= MinimumGap) {
        drainNow();
    } else {
        drainTimer_.start(MinimumGap - since);
    }
}

void Win32JobConsole::drainNow() {
    switch (drain()) {
    case Drain::Busy:
        drainTimer_.start(MinimumGap);
        break;
    case Drain::Applied:
        lastDrain_ = std::chrono::steady_clock::now();
        if (applied_) {
            applied_();
        }
        break;
    case Drain::Nothing:
        break;
    }
}

} // namespace drovane
