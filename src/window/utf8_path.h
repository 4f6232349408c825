#pragma once

// The file list's texts are UTF-8 on both platforms; the file system takes
// UTF-8 bytes on Linux and UTF-16 on Windows.

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace drovane
