#pragma once

// Names under which Windows opens a device instead of a file: CON, NUL, COM1,
// LPT1 and the rest in any folder and with any extension ("NUL.txt"), and
// paths into the device namespace ("\\.\COM1", "\\?\NUL"). Opening one for a
// file would block, read garbage or raise a port's lines.

#include <string_view>

namespace drovane {

bool isDeviceName(std::wstring_view path);

} // namespace drovane
