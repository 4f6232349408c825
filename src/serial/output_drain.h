#pragma once

// The wait for the bytes a port still holds for sending, before it closes:
// as long as the write timeouts allow for what is still queued, renewed
// whenever some of it goes out, and no longer than an abort lets it. What is
// left when the wait ends is lost, and the caller must say so.

#include "serial/line_deadlines.h"
#include "serial/serial_types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace drovane {

struct DrainSteps {
    // The bytes still queued for sending; none when the port cannot tell.
    std::function<std::optional<std::size_t>()> queued;
    // Sleeps until `until` at the latest.
    std::function<void(LineClock::time_point until)> pause;
    std::function<LineClock::time_point()> now;
    // True once the wait must end early (an abort).
    std::function<bool()> stopped;
};

// The bytes left unsent; 0 when everything went out or the port cannot tell.
// `characterNs` paces the looks at the queue.
std::size_t drainOutput(const DrainSteps& steps, const SerialTimeouts& timeouts,
                        std::int64_t characterNs);

} // namespace drovane
