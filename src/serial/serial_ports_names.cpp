#include "serial/serial_ports_names.h"

#include "serial/serial_ports.h"

#include <charconv>
#include <system_error>

namespace drovane {
namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr std::string_view kRawDevicePrefix = R"(\\.\)";

} // namespace

std::optional<unsigned> comPortNumber(std::string_view portName) {
    if (!portName.starts_with(kComPrefix) || portName.size() == kComPrefix.size()) {
        return std::nullopt;
    }
    const std::string_view digits = portName.substr(kComPrefix.size());
    const char* last = digits.data() + digits.size();
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), last, number);
    if (error != std::errc{} || end != last || number == 0) {
        return std::nullopt;
    }
    return number;
}

std::string ttyDevicePath(std::string_view portName) {
    const std::string_view name = portName.substr(0, kPortNameLimit);
    if (name.starts_with('/')) {
        return std::string(name);
    }
    if (const auto number = comPortNumber(name)) {
        return "/dev/ttyS" + std::to_string(*number - 1);
    }
    return "/dev/" + std::string(name);
}

std::string rawDevicePath(std::string_view portName) {
    const std::string_view name = portName.substr(0, kPortNameLimit);
    if (name.starts_with(kRawDevicePrefix)) {
        return std::string(name);
    }
    return std::string(kRawDevicePrefix) + std::string(name);
}

} // namespace drovane
