#pragma once

// The serial ports this computer really has, as the kernel lists them under
// /sys/class/tty: USB adapters, CDC-ACM devices and on-board UARTs that a
// driver has claimed. Pseudo-terminals, virtual consoles and the placeholder
// ttyS entries the 8250 driver registers for absent UARTs are not ports.

#include "serial/serial_ports.h"

#include <filesystem>
#include <vector>

namespace drovane {

// Where to look; tests point both at a tree of their own.
struct SerialPortRoots {
    std::filesystem::path sys = "/sys";
    std::filesystem::path dev = "/dev";
};

// USB first, then ACM, then UARTs, each in number order. An unreadable tree
// gives an empty list.
std::vector<SerialPortInfo> listSerialPorts(const SerialPortRoots& roots);

} // namespace drovane
