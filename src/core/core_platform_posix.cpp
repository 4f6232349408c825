// Paths by platform: their text and where the program lives.

#include "core/executable_directory.h"
#include "core/path_text.h"

#include "core/text.h"

#include <system_error>

namespace drovane {

std::filesystem::path executableDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

std::filesystem::path pathFromWindows1252(std::string_view bytes) {
    return {utf8FromWindows1252(bytes)};
}

std::string windows1252FromPath(const std::filesystem::path& path) {
    return windows1252FromUtf8(path.native());
}

std::filesystem::path pathFromText(std::string_view text) {
    return {std::string(text)};
}

} // namespace drovane
