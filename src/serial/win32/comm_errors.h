#pragma once

// What ClearCommError reports -> the line's error and hold flags.

#include "serial/serial_error.h"

#include <windows.h>

namespace drovane {

// The CE_ error bits and the COMSTAT hold states of one fetch.
SerialError serialErrorsFrom(DWORD errors, const COMSTAT& status);

} // namespace drovane
