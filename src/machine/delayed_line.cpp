#include "machine/delayed_line.h"

namespace drovane {

bool DelayedLine::follow(bool source, LineClock::time_point now) {
    if (source != source_) {
        source_ = source;
        // Flicking back before the delay is over cancels the change.
        changeAt_ = source_ == state_ ? std::nullopt : std::optional(now + delay_);
    }
    if (changeAt_ && now >= *changeAt_) {
        state_ = source_;
        changeAt_.reset();
    }
    return state_;
}

std::optional<LineClock::time_point> DelayedLine::nextChange() const {
    return changeAt_;
}

void DelayedLine::reset(bool state) {
    source_ = state;
    state_ = state;
    changeAt_.reset();
}

} // namespace drovane
