#pragma once

// Whether a path, its links followed, really lies inside a folder: a link
// may point anywhere, and the service reads and writes only its own folders.

#include <filesystem>

namespace drovane {

// False when either cannot be resolved. A path that does not exist yet
// counts by the folder it would be created in.
bool liesInside(const std::filesystem::path& path, const std::filesystem::path& folder);

} // namespace drovane
