#pragma once

// The operator's request that the running job stop. Set by the GUI thread,
// read by the job at its polling points; a job in its retry delay, or a line
// waiting on its descriptor or handle beside wakeSignal(), is woken at once,
// and so is a line waiting on a condition variable that listens.

#include "serial/wake_signal.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
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

    // Runs `wake` on the raising thread after each raise, as long as it
    // lives: for a waiter that no descriptor or handle can wake.
    class Listening {
    public:
        Listening() = default;
        ~Listening();
        Listening(const Listening&) = delete;
        Listening& operator=(const Listening&) = delete;
        Listening(Listening&& other) noexcept;
        Listening& operator=(Listening&& other) noexcept;

    private:
        friend class AbortRequest;
        using Entry = std::list<std::function<void()>>::iterator;
        Listening(const AbortRequest* request, Entry entry) : request_(request), entry_(entry) {}
        void stop();

        const AbortRequest* request_ = nullptr;
        Entry entry_;
    };
    [[nodiscard]] Listening listen(std::function<void()> wake) const;

private:
    std::atomic<int> value_{None};
    WakeSignal wake_;
    mutable std::mutex mutex_;
    mutable std::condition_variable raisedCv_;
    // Apart from mutex_: a listener takes its waiter's lock.
    mutable std::mutex listenersMutex_;
    mutable std::list<std::function<void()>> listeners_;
};

} // namespace drovane
