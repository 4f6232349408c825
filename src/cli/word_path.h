#pragma once

// Paths between the command line's UTF-8 words and the file system: the
// bytes as they stand on Linux, UTF-16 through Windows-1252 on Windows, never
// the system's ANSI code page.

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

std::filesystem::path pathFromWord(std::string_view word);
// How a path is shown in a message: UTF-8, as the rest of the text.
std::string shownPath(const std::filesystem::path& path);

} // namespace drovane
