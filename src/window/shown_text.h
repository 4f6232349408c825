#pragma once

// The window shows UTF-8; the program layers hold path texts (the file
// system's own bytes on Linux, Windows-1252 on Windows) and settings bytes
// (Windows-1252). These convert at that seam.

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

std::string pathTextFromShown(std::string_view utf8);
std::string shownFromPathText(std::string_view pathText);
std::filesystem::path pathFromShown(std::string_view utf8);
std::string shownFromPath(const std::filesystem::path& path);

} // namespace drovane
