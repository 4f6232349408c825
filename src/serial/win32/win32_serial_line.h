#pragma once

// SerialLine over a Windows COM port ("COMn", or a device path "\\.\...").

#include "serial/port_serial_line.h"
#include "serial/win32/win32_port.h"

namespace drovane {

using Win32SerialLine = PortSerialLine<Win32Port>;

} // namespace drovane
