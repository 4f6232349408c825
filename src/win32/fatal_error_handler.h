#pragma once

// Turns every fatal fault of the process (the program's own codes 7 and 8, a
// structured exception no code handles on any thread, an uncaught C++
// exception, abort) into the one "Programmfehler" box, then ends the process
// with exit code 0.

#include "window/fault_descriptions.h"

namespace drovane {

// Call once, first thing, on the main thread.
void installFatalErrorHandler();

// Raises the program's own fault 7 or 8; never returns.
[[noreturn]] void RaiseFatal(FaultCode code);

} // namespace drovane
