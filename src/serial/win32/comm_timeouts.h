#pragma once

// The line's timeouts in the driver's own structure.

#include "serial/serial_types.h"

#include <windows.h>

namespace drovane {

COMMTIMEOUTS commTimeouts(const SerialTimeouts& timeouts);

} // namespace drovane
