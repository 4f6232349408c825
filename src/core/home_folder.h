#pragma once

// The user's own folder: $HOME (or the password entry) on Linux,
// %USERPROFILE% on Windows.

#include <filesystem>

namespace drovane {

// Empty when the system names none.
std::filesystem::path homeFolder();

} // namespace drovane
