#pragma once

// Settings -> the Windows device-control block, as a pure function so that
// every case can be checked without a port.

#include "serial/serial_types.h"

#include <windows.h>

namespace drovane {

// `current` is what the port had: everything the settings do not name stays
// as it was there (an earlier XON/XOFF stays on for a later transfer without
// handshake, DTR control and DSR flow included).
DCB buildDcb(const DCB& current, const SerialSettings& settings);

// Exactly 1 or 2 as they stand; any other value is one and a half.
BYTE stopBitsCode(double stopBits);

} // namespace drovane
