#pragma once

// SerialLine over a serial port on a device server: rfc2217://host:port and
// socket://host:port, on every system.

#include "serial/network/network_port.h"
#include "serial/port_serial_line.h"

namespace drovane {

using NetworkSerialLine = PortSerialLine<NetworkPort>;

} // namespace drovane
