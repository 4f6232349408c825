#pragma once

// A status line that copies another one after a delay, as a control answers
// our DTR with its DSR a moment later.

#include "serial/line_deadlines.h"

#include <optional>

namespace drovane {

class DelayedLine {
public:
    explicit DelayedLine(LineClock::duration delay) : delay_(delay) {}

    // The source line as seen at `now`; gives the copy's state at `now`.
    bool follow(bool source, LineClock::time_point now);
    // When the copy changes next, if a change is on its way.
    std::optional<LineClock::time_point> nextChange() const;
    void reset(bool state);

private:
    LineClock::duration delay_;
    bool source_ = false;
    bool state_ = false;
    std::optional<LineClock::time_point> changeAt_;
};

} // namespace drovane
