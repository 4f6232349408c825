#pragma once

// SIGINT and SIGTERM as readable events instead of handlers: they are blocked
// for the calling thread and every thread it starts afterwards, and arrive on
// a descriptor the main loop polls. No code runs in signal context, so the
// abort request (which takes a lock) is raised from ordinary code.

#include "core/unique_fd.h"

#include <csignal>

namespace drovane {

class SignalWatch {
public:
    // Construct before any thread is started.
    SignalWatch();
    // Drops signals still pending and restores the previous mask.
    ~SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;
    SignalWatch(SignalWatch&&) = delete;
    SignalWatch& operator=(SignalWatch&&) = delete;

    // -1 when the watch could not be set up (signals then act as usual).
    int fd() const { return fd_.get(); }
    // Signals that arrived since the last call, without waiting.
    int take();

private:
    sigset_t previous_{};
    bool blocked_ = false;
    UniqueFd fd_;
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
