#pragma once

// The XON/XOFF characters a port keeps in its receive queue, as the line's
// signals set and read them, and the flags that queue adds to a line's
// errors.

#include "serial/receive_queue.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"

#include <optional>

namespace drovane {

// False for a signal that is no flow character; the character is the low
// 8 bits of `value`.
bool setFlowCharacter(ReceiveQueue& queue, SerialSignal signal, int value);
// The character as a signed 8-bit value; none for a signal that is no flow
// character.
std::optional<int> flowCharacter(const ReceiveQueue& queue, SerialSignal signal);
// An overflow (once), an XOFF received under XON/XOFF, an XOFF sent.
SerialError takeQueueErrors(ReceiveQueue& queue);

} // namespace drovane
