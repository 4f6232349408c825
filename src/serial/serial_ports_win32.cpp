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

bool portAnswers(const std::string& name) {
    // No access asked: nothing is read, written or set on the line.
    const HANDLE device =
        CreateFileW(deviceFileForPort(name).c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device != INVALID_HANDLE_VALUE) {
        CloseHandle(device);
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION; // in use
}

std::vector<NamedPort> portsAnsweringOpen(const std::vector<NamedPort>& known) {
    std::vector<NamedPort> found;
    for (unsigned number = 1; number <= kProbedComPorts; ++number) {
        const std::string name = "COM" + std::to_string(number);
        const bool listed = std::ranges::any_of(known, [&name](const NamedPort& port) {
            return comPortNumber(port.name) == comPortNumber(name);
        });
        if (!listed && portAnswers(name)) {
            found.push_back({name, {}, {}});
        }
    }
    return found;
}

std::vector<SerialPortInfo> listSerialPorts() {
    std::vector<NamedPort> known = portsInRegistryKey(HKEY_LOCAL_MACHINE, kSerialCommKey);
    std::vector<NamedPort> devices = portsInDeviceManager();
    known.insert(known.end(), devices.begin(), devices.end());
    const std::vector<NamedPort> answering = portsAnsweringOpen(known);
    known.insert(known.end(), answering.begin(), answering.end());
    const auto merged = mergePortLists(known, devices);
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
