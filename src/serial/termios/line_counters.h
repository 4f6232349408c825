#pragma once

// The driver's error counters (TIOCGICOUNT): what grew since the last look
// is this transfer's overruns, frame and parity errors and breaks.

#include "serial/serial_error.h"

namespace drovane {

class LineCounters {
public:
    // The errors counted since the last call on `fd`; none where the driver
    // keeps no counters (pseudo-terminals, some adapters).
    SerialError take(int fd);

private:
    bool work_ = true;
    int frame_ = 0;
    int parity_ = 0;
    int overrun_ = 0;
    int brk_ = 0;
    int bufOverrun_ = 0;
};

} // namespace drovane
