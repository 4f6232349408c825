#pragma once

// How a port with a line rate is written: in runs that fill its queue up to
// a bound, then a sleep until the queue has drained to a low mark. The bound
// is what can still go out after an XOFF (plus the UART's own FIFO); the
// distance between bound and low mark is the bytes of one write call.

#include "serial/line_deadlines.h"

#include <cstddef>
#include <cstdint>

namespace drovane {

struct RunLimits {
    std::size_t bound = 1;
    std::size_t lowMark = 0;
    std::int64_t characterNs = 1;
};

RunLimits runLimits(std::int64_t characterNs);

// The bytes that may go to the queue now, `queued` being in it already.
std::size_t runLength(const RunLimits& limits, std::size_t queued, std::size_t pending);

// How long a full queue takes to drain to the low mark.
LineClock::duration pauseForRoom(const RunLimits& limits, std::size_t queued);

} // namespace drovane
