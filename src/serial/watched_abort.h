#pragma once

// The abort request a port watches, if any: whether it is raised, the wake
// signal to wait on beside the port's own descriptor or handle, and a pause
// it ends.

#include "serial/line_deadlines.h"

namespace drovane {

class AbortRequest;
class WakeSignal;

class WatchedAbort {
public:
    void watch(const AbortRequest* abort) { abort_ = abort; }

    bool raised() const;
    // Null when no request is watched.
    const WakeSignal* wake() const;
    // Sleeps until `until`, less when a watched request is raised; true then.
    bool pauseUntil(LineClock::time_point until) const;

private:
    const AbortRequest* abort_ = nullptr;
};

} // namespace drovane
