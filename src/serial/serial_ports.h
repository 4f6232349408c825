#pragma once

// Port names and the ports this computer has. A profile names a port the
// way its operator knows it ("COM3", "ttyUSB0"); each system maps that name
// to the device it opens and lists the ports it knows in its own way.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

// At most this many characters of a port name are used.
inline constexpr std::size_t kPortNameLimit = 59;

// The device a port name opens on this system, in the name's own bytes
// (Windows-1252 on Windows: widen it with wideFromWindows1252 for CreateFileW).
std::string devicePathForPort(std::string_view portName);

struct SerialPortInfo {
    // What goes into a profile's port field ("ttyUSB0", "COM3").
    std::string name;
    std::filesystem::path devicePath;
    // The /dev/serial/by-id link that names this device; empty without one.
    std::filesystem::path byIdAlias;
    // The driver bound to the hardware ("ftdi_sio", "cdc_acm", "serial",
    // "usbser"); empty when none could be found.
    std::string driver;
    // What the system calls the device ("USB Serial Port (COM3)"), in
    // Windows-1252; empty where the system has no such name.
    std::string friendlyName;

    bool operator==(const SerialPortInfo&) const = default;
};

// The ports present, in the system's natural order (on Linux USB, then ACM,
// then UARTs; on Windows by COM number). Nothing found gives an empty list.
std::vector<SerialPortInfo> listSerialPorts();

} // namespace drovane
