#pragma once

// How long one character takes on the wire for a line's frame.

#include "serial/line_deadlines.h"
#include "serial/serial_types.h"

#include <cstdint>

namespace drovane {

// Stop bits as the port reads them: exactly 1 or 2, anything else one and a
// half.
double frameStopBits(double stopBits);

// Start bit, data bits, the parity bit when there is one, stop bits.
double characterBits(const SerialSettings& settings);

// One character of that frame at `baudRate`, in real time at the clock speed.
LineClock::duration characterTime(const SerialSettings& settings, std::int32_t baudRate,
                                  double clockSpeed = 1.0);

} // namespace drovane
