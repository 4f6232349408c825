#pragma once

// Where Windows keeps its COM ports, read through the wide registry and
// SetupAPI calls. Names come back in Windows-1252, as profiles hold them.

#include "serial/serial_ports_merge.h"

#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace drovane {

// The SERIALCOMM map: every port a driver has made, by the kernel device's
// name; the string data are the port names.
inline constexpr wchar_t kSerialCommKey[] = LR"(HARDWARE\DEVICEMAP\SERIALCOMM)";

// The port names held as string values of the key (tests use a key of their
// own); a missing or unreadable key gives an empty list.
std::vector<NamedPort> portsInRegistryKey(HKEY root, const std::wstring& subkey);

// The present devices with the COM port interface or of the Ports class,
// with friendly name and driver service where the device manager has them.
std::vector<NamedPort> portsInDeviceManager();

// Wine maps a COM port by a link in its dosdevices folder, which neither map
// above knows. Every COMn up to this number that none of `known` names is
// tried by opening it without access; those that open, or are in use, count.
// A real port is in the maps: it is never opened here.
inline constexpr unsigned kProbedComPorts = 32;
std::vector<NamedPort> portsAnsweringOpen(const std::vector<NamedPort>& known);

// The device file CreateFileW opens for a port name as the line settings
// hold it (UTF-8), converted once.
std::wstring deviceFileForPort(std::string_view portName);

} // namespace drovane
