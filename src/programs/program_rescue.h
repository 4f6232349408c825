#pragma once

// Where a program goes when its save failed: a new file whose name cannot
// fail for the reason the target's did (short, safe characters only, never
// taken from the target) and that no rescue before it had, in the first of
// several folders that takes it.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace drovane {

// First to last: the temporary folder, the target's folder, the settings
// file's folder, the user's home; each as an absolute path, once, and only
// where the system names one.
std::vector<std::filesystem::path> rescueFolders(const std::filesystem::path& target,
                                                 const std::filesystem::path& settingsFile);

// Writes `text` to a file "drovane-" + UTC date and time + "-" + a counter +
// ".nc" created anew (an existing file is never replaced; a taken name
// moves the counter on) in the first folder that takes it. Its path, or none
// when no folder did.
std::optional<std::filesystem::path>
rescueProgram(std::string_view text, const std::vector<std::filesystem::path>& folders);

} // namespace drovane
