#pragma once

// Which EscapeCommFunction code raises or lowers a line.

#include "serial/serial_types.h"

#include <optional>
#include <windows.h>

namespace drovane {

// DTR, RTS and Break: on for nonzero. None for the signals that are read or
// that are no line (the flow characters).
std::optional<DWORD> escapeFunction(SerialSignal signal, int value);

} // namespace drovane
