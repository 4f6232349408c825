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
// A port without a line rate (a pseudo-terminal): its far end gets at once
// what its kernel holds, so no bound keeps bytes back after an XOFF, and a
// run is whatever the caller hands over.
RunLimits unboundedRuns(std::int64_t characterNs);

// The bytes that may go to the queue now, `queued` being in it already.
std::size_t runLength(const RunLimits& limits, std::size_t queued, std::size_t pending);

// How long a full queue takes to drain to the low mark.
LineClock::duration pauseForRoom(const RunLimits& limits, std::size_t queued);

// How long a kernel queue that took nothing is left to drain before the
// next try: far less than it holds, but many bytes of line time, so that a
// far end reading in small pieces does not wake the writer for each.
LineClock::duration pauseWhenFull(const RunLimits& limits);

} // namespace drovane
