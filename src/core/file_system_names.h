#pragma once

// What the file system itself refuses in a name to be written, beyond the
// program's own rule on characters: names too long for the file and for the
// temporary file written beside it, and on Windows a double quote anywhere,
// a name ending in a dot or a blank (Windows drops them and writes another
// file) and the device names CON, PRN, AUX, NUL, COM1-9 and LPT1-9.

#include <filesystem>

namespace drovane {

bool fileSystemTakesName(const std::filesystem::path& target);

} // namespace drovane
