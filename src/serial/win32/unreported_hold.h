#pragma once

// A hold the driver does not report. Wine's driver, for one, lets the
// kernel stop the output on XOFF and always shows no hold: a write then
// just runs out of time, which the send job would take for a line fault.

#include "serial/serial_error.h"
#include "serial/serial_types.h"

namespace drovane {

inline constexpr SerialError kHoldFlags = SerialError::WaitingCTS | SerialError::WaitingDSR |
                                          SerialError::WaitingRLSD | SerialError::XoffReceived |
                                          SerialError::XoffSent;

// `reported` plus XoffReceived when, under XON/XOFF, the last write ran out
// of time and the driver names no hold and no line error for it.
SerialError withUnreportedHold(SerialError reported, Handshake handshake, bool writeTimedOut);

} // namespace drovane
