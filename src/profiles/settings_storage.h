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
    // The file could be opened for reading only.
    bool readOnly = false;
    std::string bytes;
};

StoredSettings readStoredSettings(const std::filesystem::path& path);

// The file to replace when writing `path` back: the target of a symbolic link,
// else `path` itself. None when an existing file cannot be opened for writing,
// a link dangles or something other than a regular file is there (a device or
// a folder must never be replaced).
std::optional<std::filesystem::path> replaceableSettingsFile(const std::filesystem::path& path);

} // namespace drovane
