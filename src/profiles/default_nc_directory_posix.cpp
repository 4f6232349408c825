#include "profiles/profile_keys.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace drovane {

// Linux has no drive c:, so the folder that is surely there stands in for it.
std::string defaultNcDirectory() {
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        home = fromEnvironment;
    } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr) {
        home = user->pw_dir;
    }
    if (!home.ends_with('/')) {
        home += '/';
    }
    return home;
}

} // namespace drovane
