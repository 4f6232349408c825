#pragma once

// What Wine set on the pty's slave, read through termios2 (Wine sets any rate
// as BOTHER, which the libc's termios cannot show). Its own file: the
// kernel's termios header and the libc's clash.

#include <cstdint>
#include <optional>

namespace drovane {

// Data bits and parity are not among them: the kernel keeps a pty at eight
// bits without parity, whatever it is asked for.
struct SlaveLineSettings {
    std::uint32_t baudRate = 0;
    bool twoStopBits = false;
    bool outputFlow = false; // IXON: the kernel holds output on XOFF
    bool inputFlow = false;  // IXOFF
};

std::optional<SlaveLineSettings> slaveLineSettings(int slaveFd);

} // namespace drovane
