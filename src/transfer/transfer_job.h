#pragma once

// The one worker thread a transfer runs on. Starting is refused while a job
// runs; whether one runs is an atomic flag, tested without waiting. The
// thread is never detached: the destructor raises a shutdown request and
// joins it.

#include "serial/abort_request.h"

#include <atomic>
#include <functional>
#include <thread>

namespace drovane {

class TransferJob {
public:
    explicit TransferJob(AbortRequest& abort) : abort_(abort) {}
    ~TransferJob();
    TransferJob(const TransferJob&) = delete;
    TransferJob& operator=(const TransferJob&) = delete;
    TransferJob(TransferJob&&) = delete;
    TransferJob& operator=(TransferJob&&) = delete;

    // Clears the abort request and runs `body` on a new thread, guarded so
    // that a fault on it is reported (on Linux with an alternate signal stack
    // of its own), then `ended` on that thread once
    // running() answers false: what `ended` reports comes after the job's
    // end. False, and nothing happens, while a job runs.
    bool start(std::function<void()> body, std::function<void()> ended = {});
    bool running() const { return running_.load(); }
    // Blocks until the running job, if any, has ended.
    void wait();

private:
    AbortRequest& abort_;
    std::atomic<bool> running_{false};
    std::jthread thread_;
};

} // namespace drovane
