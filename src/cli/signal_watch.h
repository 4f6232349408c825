#pragma once

// The operator's interrupts (SIGINT and SIGTERM; on Windows Ctrl+C,
// Ctrl+Break and closing the console) as events that ordinary code takes,
// instead of handlers that would have to raise the abort request (which takes
// a lock) in signal context. Each platform part feeds `interrupted()` from a
// thread of its own.
//
// The second interrupt ends the process right there, so that an operator who
// insists is heard wherever the program is stuck: loading a file, opening a
// port, waiting for a job. Interrupts the caller inherited ignored are heard
// all the same.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace drovane {

class SignalWatch {
public:
    // Construct before any thread is started. `insistedExitCode` is what the
    // process ends with at the second interrupt.
    explicit SignalWatch(int insistedExitCode);
    // Drops interrupts still pending and restores what was there before.
    ~SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;
    SignalWatch(SignalWatch&&) = delete;
    SignalWatch& operator=(SignalWatch&&) = delete;

    // Interrupts that arrived since the last call, without waiting.
    int take() const;
    // Returns once an interrupt is untaken or `wake` was called since the
    // last return, or after `limit`.
    void waitFor(std::chrono::milliseconds limit) const;
    // Ends a `waitFor`, from any thread.
    void wake() const;

private:
    class Source;

    // One interrupt, from the platform part's thread.
    void interrupted() const;

    int insistedExitCode_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    mutable int seen_ = 0;
    mutable int untaken_ = 0;
    mutable bool woken_ = false;
    // Last, so that it stops feeding before the rest goes.
    std::unique_ptr<Source> source_;
};

} // namespace drovane
