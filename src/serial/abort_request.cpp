#include "serial/abort_request.h"

#include <thread>
#include <utility>

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
    const std::lock_guard lock(listenersMutex_);
    for (const auto& wake : listeners_) {
        wake();
    }
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

AbortRequest::Listening AbortRequest::listen(std::function<void()> wake) const {
    const std::lock_guard lock(listenersMutex_);
    listeners_.push_front(std::move(wake));
    return {this, listeners_.begin()};
}

AbortRequest::Listening::~Listening() {
    stop();
}

AbortRequest::Listening::Listening(Listening&& other) noexcept
    : request_(std::exchange(other.request_, nullptr)), entry_(other.entry_) {}

AbortRequest::Listening& AbortRequest::Listening::operator=(Listening&& other) noexcept {
    if (this != &other) {
        stop();
        request_ = std::exchange(other.request_, nullptr);
        entry_ = other.entry_;
    }
    return *this;
}

// After this no raise calls the listener, not even one running on another
// thread right now.
void AbortRequest::Listening::stop() {
    if (request_ != nullptr) {
        const std::lock_guard lock(request_->listenersMutex_);
        request_->listeners_.erase(entry_);
        request_ = nullptr;
    }
}

} // namespace drovane
