#pragma once

// The line's timeouts in the driver's own structure.

#include "serial/serial_types.h"

#include <windows.h>

namespace drovane {

COMMTIMEOUTS commTimeouts(const SerialTimeouts& timeouts);

// How long one WriteFile may wait for a held line before the line looks at
// the abort request and its own write deadline again.
inline constexpr DWORD kWriteSliceMs = 5;

// `values` with the driver's write timeout cut to one slice: the line
// keeps the write deadline itself, so that an abort ends a held write and
// no second thread or overlapped I/O is needed for that.
COMMTIMEOUTS slicedForWrites(COMMTIMEOUTS values);

} // namespace drovane
