#pragma once

// The settings file on disk: read it whole, and find out whether it may be
// replaced.

#include <filesystem>
#include <optional>
#include <string>

namespace drovane {

struct StoredSettings {
    // False for a missing or unreadable file, or one that is no regular file.
    bool found = false;
    std::string bytes;
};

StoredSettings readStoredSettings(const std::filesystem::path& path);

// The file to replace when writing `path` back: the target of a symbolic link,
// else `path` itself. None when an existing file cannot be opened for writing,
// a link dangles or something other than a regular file is there (a device or
// a folder must never be replaced).
std::optional<std::filesystem::path> replaceableSettingsFile(const std::filesystem::path& path);

// False when a file is at `target` but refuses to be opened for writing (a
// read-only file): its changes are then dropped. `target` is a regular file or
// nothing, so opening it has no side effects.
bool takesWrites(const std::filesystem::path& target);

} // namespace drovane
