#pragma once

// The rules that turn a port name into a device, one per system, as pure
// functions so that both can be checked on either system.

#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// n of "COMn" (n from 1, decimal digits only, upper-case "COM"); nullopt for
// any other name.
std::optional<unsigned> comPortNumber(std::string_view portName);

// Linux: "/..." stays a path, "COMn" is /dev/ttyS(n-1), any other X is /dev/X.
std::string ttyDevicePath(std::string_view portName);

// Windows: the raw-device prefix "\\.\" before the name, which also reaches
// COM10 and above; a name that already has the prefix stands as it is.
std::string rawDevicePath(std::string_view portName);

} // namespace drovane
