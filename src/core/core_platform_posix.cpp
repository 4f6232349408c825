// Paths by platform: their text, where the program lives and the user's home.

#include "core/executable_directory.h"
#include "core/home_folder.h"
#include "core/path_text.h"

#include "core/text.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

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

std::string textFromPath(const std::filesystem::path& path) {
    return path.native();
}

std::filesystem::path homeFolder() {
    if (const char* fromEnvironment = std::getenv("HOME");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return fromEnvironment;
    }
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr) {
        return user->pw_dir;
    }
    return {};
}

} // namespace drovane
