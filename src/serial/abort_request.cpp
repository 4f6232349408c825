#include "serial/abort_request.h"

#include <thread>

namespace drovane {

void AbortRequest::raise(Value value) {
    {
        // Under the mutex, so that a waiter between its test and its sleep
        // cannot miss the notification.
        const std::lock_guard lock(mutex_);
        value_.store(value);
        wake_.set();
    }
    raisedCv_.notify_all();
}

// Under the mutex, so that the flag and the wake signal never disagree: a
// signal left set without a request would wake a waiting line for ever.
void AbortRequest::clear() {
    const std::lock_guard lock(mutex_);
    value_.store(None);
    wake_.reset();
}

bool AbortRequest::waitFor(std::chrono::steady_clock::duration limit) const {
    std::unique_lock lock(mutex_);
    return raisedCv_.wait_for(lock, limit, [this] { return raised(); });
}

void AbortRequest::pause(std::chrono::steady_clock::duration length) const {
    if (!raised()) {
        std::this_thread::sleep_for(length);
    }
}

} // namespace drovane
