#pragma once

// The modem lines of a terminal device: DTR, RTS and Break set, the status
// lines read. A pseudo-terminal has none, so CTS never holds it.

#include "serial/serial_types.h"

namespace drovane {

class ModemLines {
public:
    explicit ModemLines(int fd) : fd_(fd) {}

    // DTR, RTS or Break on for nonzero; false for another signal or a
    // refusal.
    bool set(SerialSignal signal, int value) const;
    // 1 or 0 for CTS, DSR, Ring and RLSD; 0 for another signal or a
    // failure.
    int status(SerialSignal signal) const;
    // CTS is low on a port that has modem lines.
    bool ctsLow();

private:
    int fd_;
    bool present_ = true;
};

} // namespace drovane
