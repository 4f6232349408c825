#include "serial/watched_abort.h"

#include "serial/abort_request.h"

#include <thread>

namespace drovane {

bool WatchedAbort::raised() const {
    return abort_ != nullptr && abort_->raised();
}

const WakeSignal* WatchedAbort::wake() const {
    return abort_ != nullptr ? &abort_->wakeSignal() : nullptr;
}

bool WatchedAbort::pauseUntil(LineClock::time_point until) const {
    if (abort_ == nullptr) {
        std::this_thread::sleep_until(until);
        return false;
    }
    return abort_->waitFor(until - LineClock::now());
}

} // namespace drovane
