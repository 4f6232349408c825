#include "cli/signal_watch.h"

#include <algorithm>
#include <array>
#include <windows.h>

namespace drovane {
namespace {

constexpr std::array<DWORD, 3> kInterruptEvents{CTRL_C_EVENT, CTRL_BREAK_EVENT, CTRL_CLOSE_EVENT};

// Windows ends the process as soon as a handler returns from a close, and
// five seconds after the close in any case: the aborted job gets this long to
// end and keep what it received.
constexpr std::chrono::milliseconds kCloseGrace(4500);

} // namespace

// The console's control events, which Windows delivers on a thread of its
// own for each event.
class SignalWatch::Source {
public:
    explicit Source(const SignalWatch& watch) : watch_(watch) {
        const std::scoped_lock lock(gate_);
        current_ = this;
        // Ctrl+C may come disabled from a parent that ignored it.
        ::SetConsoleCtrlHandler(nullptr, FALSE);
        ::SetConsoleCtrlHandler(&handle, TRUE);
    }

    ~Source() {
        ::SetConsoleCtrlHandler(&handle, FALSE);
        const std::scoped_lock lock(gate_);
        current_ = nullptr;
        ended_.notify_all();
    }

    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    Source(Source&&) = delete;
    Source& operator=(Source&&) = delete;

private:
    static BOOL WINAPI handle(DWORD event) {
        if (std::ranges::find(kInterruptEvents, event) == kInterruptEvents.end()) {
            return FALSE;
        }
        std::unique_lock lock(gate_);
        if (current_ == nullptr) {
            return FALSE;
        }
        current_->watch_.interrupted();
        if (event == CTRL_CLOSE_EVENT) {
            ended_.wait_for(lock, kCloseGrace, [] { return current_ == nullptr; });
        }
        return TRUE;
    }

    const SignalWatch& watch_;
    static inline std::mutex gate_;
    static inline std::condition_variable ended_;
    static inline Source* current_ = nullptr;
};

SignalWatch::SignalWatch(int insistedExitCode)
    : insistedExitCode_(insistedExitCode), source_(std::make_unique<Source>(*this)) {}

SignalWatch::~SignalWatch() = default;

} // namespace drovane
