#pragma once

// Settings -> kernel terminal values, as a pure function so that every case
// can be checked without a device (pseudo-terminals ignore parity and rate).
// Uses the kernel's termios2, which carries any baud rate; do not include
// <termios.h> in the same file.

#include "serial/serial_types.h"

#include <asm/termbits.h>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace drovane {

// Raw mode, CLOCAL and CREAD, nothing carried over from earlier settings;
// under XON/XOFF the kernel's input flow control (IXOFF), never its output
// side (the line holds its own output). Reads never block (VMIN 1 with a
// non-blocking descriptor, so an empty line reads as EAGAIN and a hang-up as
// end of file). nullopt for settings no port can take.
std::optional<termios2> buildTermios(const SerialSettings& settings);

// Exactly one stop bit, or two: Linux has no one and a half, and a receiver
// set to one and a half accepts two.
bool twoStopBits(double stopBits);

// The time one character takes at the given rate (start, 8 data, parity and
// stop bits are taken as 10 bits, close enough to pace waits).
std::int64_t characterNanoseconds(std::int32_t baudRate);

// Sets the characters the kernel's IXOFF throttles the far end with.
void setKernelFlowCharacters(int fd, unsigned char xon, unsigned char xoff);

} // namespace drovane
