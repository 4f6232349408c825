#pragma once

// One wait on a terminal descriptor beside a wake descriptor, to a deadline.

#include "serial/line_deadlines.h"

#include <optional>
#include <poll.h>

namespace drovane {

inline constexpr short kDescriptorGone = POLLHUP | POLLERR | POLLNVAL;

// The revents of `fd`, or 0 when `until` passed first or `wake` (-1: none)
// became readable. No `until` waits without limit; `fd` -1 waits for the
// rest alone.
short pollUntil(int fd, short events, int wake, std::optional<LineClock::time_point> until);

} // namespace drovane
