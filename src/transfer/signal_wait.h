#pragma once

// Waiting for the machine to raise a status line (DSR, CTS). The line and
// the abort request are looked at again after each short pause, so a change
// or a request is seen within one pause and an idle wait costs next to no
// CPU.

#include "serial/abort_request.h"
#include "serial/serial_line.h"

#include <chrono>

namespace drovane {

// True once the line is on; false when an abort request came first (the
// line is always looked at before the request).
bool waitForSignal(SerialLine& line, int id, SerialSignal signal, const AbortRequest& abort,
                   std::chrono::milliseconds pause);

} // namespace drovane
