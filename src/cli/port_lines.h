#pragma once

// The listing of `drovane-cli ports`: profile name, device, by-id link ("-"
// without one) and driver of every serial port present, then the system's
// friendly name where it has one.

#include "serial/serial_ports.h"

#include <string>
#include <vector>

namespace drovane {

std::vector<std::string> portLines(const std::vector<SerialPortInfo>& ports);

} // namespace drovane
