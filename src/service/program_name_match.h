#pragma once

// Whether a file name of a folder is the name a machine asked for, as this
// platform's file system compares names: exactly on Linux, without regard
// to letter case on Windows. Both texts are UTF-8.

#include <string_view>

namespace drovane {

bool isSameProgramName(std::string_view listed, std::string_view wanted);

} // namespace drovane
