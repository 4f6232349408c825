#pragma once

// Program files on disk: read byte for byte up to the first NUL, the target
// path and name rules of a save, and a save that never leaves a torn file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// The bytes of the file up to its first NUL; nullopt when it cannot be read.
// A file of 0 bytes gives an empty text.
std::optional<std::string> readProgramFile(const std::filesystem::path& path);

// DirectoryField + FileNameField; "." + the pattern's extension is appended
// when the result has no extension of its own.
std::string saveTargetPath(std::string_view directoryText, std::string_view fileNameText,
                           std::string_view patternText);

// Not empty, no byte below 32, none of " \ / : * ? < > |.
bool isValidFileName(std::string_view name);

// A regular file (or a link to one) is there; a folder does not count.
bool fileExists(const std::filesystem::path& path);

enum class OverwriteDecision : std::int8_t {
    InvalidName = -2,
    NoFileOrEmptyName = -1,
    KeepExisting = 0,
    Overwrite = 1,
};

// Writes to a temporary file in the same folder, flushes it to disk and renames
// it over the target (keeping an old file's permissions). On failure the old
// file, if any, is left whole and false is returned.
bool writeProgramFileAtomically(const std::filesystem::path& path, std::string_view text);

} // namespace drovane
