#include "serial/serial_ports_win32.h"

#include "core/text.h"
#include "serial/serial_ports_names.h"

#include <algorithm>

namespace drovane {

std::string devicePathForPort(std::string_view portName) {
    return rawDevicePath(portName);
}

std::wstring deviceFileForPort(std::string_view portName) {
    const std::string device = devicePathForPort(portName);
    const auto size = static_cast<int>(device.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, device.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(std::max(length, 0)));
    return wide;
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
