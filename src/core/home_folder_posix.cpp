#include "core/home_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace drovane {

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
