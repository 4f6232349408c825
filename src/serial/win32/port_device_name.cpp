#include "serial/win32/port_device_name.h"

#include "core/text.h"

namespace drovane {

namespace {

constexpr std::string_view kRawDevicePrefix = R"(\\.\)";

} // namespace

std::wstring portDeviceName(std::string_view portName) {
    const std::string_view name = portName.substr(0, kWindowsPortNameLimit);
    if (name.starts_with(kRawDevicePrefix)) {
        return wideFromWindows1252(name);
    }
    return wideFromWindows1252(std::string(kRawDevicePrefix) + std::string(name));
}

} // namespace drovane
