#pragma once

// Windows knows its COM ports in two places: the registry's SERIALCOMM map
// (every port a driver has made, no names) and the device manager (friendly
// names and drivers, but only for devices it manages). One list from both.

#include "serial/serial_ports.h"

#include <vector>

namespace drovane {

// Mapped by listSerialPorts to a SerialPortInfo; fields in Windows-1252.
struct NamedPort {
    std::string name;
    std::string friendlyName;
    std::string driver;

    bool operator==(const NamedPort&) const = default;
};

// One entry per port name (Windows names ignore letter case; the first
// spelling stays), with the first friendly name and driver any list gives
// it. "COMn" ports by number, then any other names alphabetically; empty
// names are dropped.
std::vector<NamedPort> mergePortLists(const std::vector<NamedPort>& registry,
                                      const std::vector<NamedPort>& deviceManager);

} // namespace drovane
