#include "serial/serial_ports_win32.h"

#include "core/text.h"
#include "serial/serial_ports_names.h"

namespace drovane {

std::string devicePathForPort(std::string_view portName) {
    return rawDevicePath(portName);
}

std::vector<SerialPortInfo> listSerialPorts() {
    const auto merged = mergePortLists(portsInRegistryKey(HKEY_LOCAL_MACHINE, kSerialCommKey),
                                       portsInDeviceManager());
    std::vector<SerialPortInfo> ports;
    ports.reserve(merged.size());
    for (const NamedPort& port : merged) {
        // A narrow path would be read as UTF-8; the name is Windows-1252.
        std::filesystem::path device(wideFromWindows1252(devicePathForPort(port.name)));
        ports.push_back({port.name, std::move(device), {}, port.driver, port.friendlyName});
    }
    return ports;
}

} // namespace drovane
