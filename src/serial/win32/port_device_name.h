#pragma once

// Port name -> the Windows device path CreateFileW opens.

#include <string>
#include <string_view>

namespace drovane {

// At most this many characters of a port name are used.
inline constexpr std::size_t kWindowsPortNameLimit = 59;

// "\\.\" followed by the name (so "COM10" and above open too); a name that
// already starts with "\\.\" stays as it stands. The name is Windows-1252.
std::wstring portDeviceName(std::string_view portName);

} // namespace drovane
