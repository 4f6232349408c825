#pragma once

// Where the running program lies: the settings file drovane.ini sits beside it.

#include <filesystem>

namespace drovane {

// The folder of this process's executable; empty when it cannot be found, so
// that a bare file name then refers to the working directory.
std::filesystem::path executableDirectory();

} // namespace drovane
