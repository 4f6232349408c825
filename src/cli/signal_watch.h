#pragma once

// SIGINT and SIGTERM as readable events instead of handlers: they are blocked
// for the calling thread and every thread it starts afterwards, and a watcher
// thread of its own reads them. No code runs in signal context, so the abort
// request (which takes a lock) is raised from ordinary code.
//
// The watcher ends the process at the second signal by itself, so that an
// operator who insists is heard wherever the program is stuck: loading a
// file, opening a port, waiting for a job. Being blocked, the signals are
// queued even when the caller inherited them ignored.

#include "core/unique_fd.h"

#include <csignal>
#include <thread>

namespace drovane {

class SignalWatch {
public:
    // Construct before any thread is started. `insistedExitCode` is what the
    // process ends with at the second signal.
    explicit SignalWatch(int insistedExitCode);
    // Drops signals still pending and restores the previous mask.
    ~SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;
    SignalWatch(SignalWatch&&) = delete;
    SignalWatch& operator=(SignalWatch&&) = delete;

    // Readable while signals are untaken; -1 when the watch could not be set
    // up (signals then act as usual).
    int fd() const { return arrived_.get(); }
    // Signals that arrived since the last call, without waiting.
    int take() const;

private:
    void watch() const;
    void dropPending() const;

    sigset_t previous_{};
    bool blocked_ = false;
    int insistedExitCode_;
    UniqueFd signals_;
    UniqueFd arrived_;
    UniqueFd stop_;
    std::thread watcher_;
};

// An event one thread sets once and another polls for.
class DoneEvent {
public:
    DoneEvent();
    int fd() const { return fd_.get(); }
    void set() const;

private:
    UniqueFd fd_;
};

} // namespace drovane
