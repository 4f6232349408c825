#pragma once

// The line to the computer's own serial ports, whichever system it runs on.

#include "serial/serial_line.h"

#include <memory>

namespace drovane {

std::unique_ptr<SerialLine> makeSystemSerialLine();

} // namespace drovane
