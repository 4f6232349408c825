#pragma once

// When a read or a write gives up, as the Windows driver defines it. A clock
// speed above 1 shortens every timeout, so tests of a virtual line can run
// faster than the real clock.

#include "serial/serial_types.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace drovane {

using LineClock = std::chrono::steady_clock;

// `milliseconds` of line time at the given clock speed, capped at a month so
// that adding it to a time point cannot overflow.
LineClock::duration lineDuration(std::uint64_t milliseconds, double clockSpeed = 1.0);

// The sooner of two deadlines; none is never.
inline std::optional<LineClock::time_point> earlier(std::optional<LineClock::time_point> a,
                                                    std::optional<LineClock::time_point> b) {
    if (!a || (b && *b < *a)) {
        return b;
    }
    return a;
}

// multiplier x count + constant after `start`; none when both are 0.
std::optional<LineClock::time_point> writeDeadline(const SerialTimeouts& timeouts,
                                                   std::size_t count, LineClock::time_point start,
                                                   double clockSpeed = 1.0);

// One read of `requested` bytes.
class ReadTimer {
public:
    ReadTimer(const SerialTimeouts& timeouts, std::size_t requested, LineClock::time_point start,
              double clockSpeed = 1.0);

    // The read returns now with `got` bytes (all of them, or the modes that
    // return what is there).
    bool finished(std::size_t got) const;
    // Records the arrival of bytes, which restarts the interval timeout.
    void bytesArrived(LineClock::time_point when) { lastArrival_ = when; }
    // When the read gives up with `got` bytes; none means it waits on.
    std::optional<LineClock::time_point> deadline(std::size_t got) const;

private:
    std::size_t requested_;
    bool returnAtOnce_ = false;
    bool returnOnAnyByte_ = false;
    std::optional<LineClock::time_point> total_;
    std::optional<LineClock::duration> interval_;
    LineClock::time_point lastArrival_;
};

} // namespace drovane
