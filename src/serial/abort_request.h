#pragma once

// The operator's request that the running job stop. Set by the GUI thread,
// read by the job at its polling points; a job in its retry delay, or a line
// waiting on its descriptor or handle beside wakeSignal(), is woken at once.

#include "serial/wake_signal.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace drovane {

class AbortRequest {
public:
    enum Value : int {
        None = 0,
        Abort = 1,    // the second press of the start button
        Shutdown = 2, // the window goes away: even blind writes stop
    };

    void clear();
    void raise(Value value = Abort);
    // Any request, abort or shutdown.
    bool raised() const { return value_.load() != None; }
    bool shuttingDown() const { return value_.load() == Shutdown; }
    int value() const { return value_.load(); }

    // Sleeps up to `limit`, less when a request comes meanwhile. True when a
    // request is raised.
    bool waitFor(std::chrono::steady_clock::duration limit) const;
    // A short pause between two looks at a quiet line, skipped when a
    // request is raised. A plain sleep costs less than a wait that a raise
    // could end, which counts when it is repeated a hundred times a second;
    // the pause is short enough for the reaction to a request anyway.
    void pause(std::chrono::steady_clock::duration length) const;

    // Set while a request is raised.
    const WakeSignal& wakeSignal() const { return wake_; }

private:
    std::atomic<int> value_{None};
    WakeSignal wake_;
    mutable std::mutex mutex_;
    mutable std::condition_variable raisedCv_;
};

} // namespace drovane
