#include "transfer/transfer_job.h"

#include "transfer/guarded_run.h"

#include <utility>

namespace drovane {

TransferJob::~TransferJob() {
    if (running()) {
        abort_.raise(AbortRequest::Shutdown);
    }
    wait();
}

bool TransferJob::start(std::function<void()> body, std::function<void()> ended) {
    if (running()) {
        return false;
    }
    wait(); // the last thread has finished its body; only its end is left
    abort_.clear();
    // Set here rather than on the new thread, so that a press right after
    // the start already sees a running job.
    running_.store(true);
    thread_ = std::jthread([this, job = std::move(body), ended = std::move(ended)] {
        runGuarded(job);
        running_.store(false);
        if (ended) {
            ended();
        }
    });
    return true;
}

void TransferJob::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace drovane
