#include "cli/signal_watch.h"

#include <cstdlib>

namespace drovane {

int SignalWatch::take() const {
    const std::scoped_lock lock(mutex_);
    const int count = untaken_;
    untaken_ = 0;
    return count;
}

void SignalWatch::waitFor(std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return woken_ || untaken_ > 0; });
    woken_ = false;
}

void SignalWatch::wake() const {
    const std::scoped_lock lock(mutex_);
    woken_ = true;
    changed_.notify_all();
}

void SignalWatch::interrupted() const {
    const std::scoped_lock lock(mutex_);
    if (++seen_ > 1) {
        // The first one was not enough: the operator insists.
        std::_Exit(insistedExitCode_);
    }
    ++untaken_;
    changed_.notify_all();
}

} // namespace drovane
