#pragma once

// How this platform writes a directory text.

#include <string>

namespace drovane {

char directorySeparator();

// Both separators become this platform's; on Windows the drive letter goes
// upper case, as the desktop shows it.
std::string inDirectoryStyle(std::string text);

} // namespace drovane
