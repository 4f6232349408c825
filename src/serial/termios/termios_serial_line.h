#pragma once

// SerialLine over a Linux terminal device: real ports, USB adapters and
// pseudo-terminals.

#include "serial/port_serial_line.h"
#include "serial/termios/termios_port.h"

namespace drovane {

using TermiosSerialLine = PortSerialLine<TermiosPort>;

} // namespace drovane
