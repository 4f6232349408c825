#pragma once

// Settings -> the Windows device-control block, as a pure function so that
// every case can be checked without a port.

#include "serial/serial_types.h"

#include <windows.h>

#include <functional>

namespace drovane {

// `current` is what the port had: everything the settings do not name stays
// as it was there (an earlier XON/XOFF stays on for a later transfer without
// handshake, DTR control and DSR flow included).
DCB buildDcb(const DCB& current, const SerialSettings& settings);

// Exactly 1 or 2 as they stand; any other value is one and a half.
BYTE stopBitsCode(double stopBits);

// One request to the port (SetCommState); true when the port took it.
using DcbRequest = std::function<bool(DCB)>;

// `wanted` with other stop bits, a field every port carries.
DCB steppingDcb(const DCB& wanted);

// Applies `wanted` through `request`; false when the port refuses it. Under
// Wine a pseudo-terminal drops 7 data bits and parity, and the C library
// calls a change that changed nothing a refusal: the same profile a second
// time is refused, the first is not. So a refused block is asked once more
// after a step through other stop bits, which makes each request change the
// port; a port that really refuses it refuses it again.
bool applyDcb(const DCB& wanted, const DcbRequest& request);

} // namespace drovane
