#pragma once

// Paths between the program's 8-bit texts and the file system. Settings bytes
// and window texts are Windows-1252; the file system takes UTF-8 bytes on
// Linux and UTF-16 on Windows, and is never handed 8-bit text unconverted.

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

// A Windows-1252 text such as the settings' "Path" value as a path.
std::filesystem::path pathFromWindows1252(std::string_view bytes);
// A path as Windows-1252 text; characters it cannot carry become '?'.
std::string windows1252FromPath(const std::filesystem::path& path);

// A path text as the program layers hold it (a save target, a directory
// text): the file system's own bytes on Linux, Windows-1252 on Windows.
std::filesystem::path pathFromText(std::string_view text);
// The other way round.
std::string textFromPath(const std::filesystem::path& path);

} // namespace drovane
