#pragma once

// Whether a folder really takes files, asked of the file system itself:
// permission bits alone do not tell (root ignores them, shares refuse more).

#include <filesystem>

namespace drovane {

enum class FolderState : std::uint8_t { Usable, Missing, NotWritable, Unreadable };

FolderState probeWritableFolder(const std::filesystem::path& folder);
FolderState probeReadableFolder(const std::filesystem::path& folder);

} // namespace drovane
