// Where the profiles' defaults and the settings file differ by platform.

#include "profiles/profile_keys.h"
#include "profiles/settings_storage.h"

#include "core/home_folder.h"
#include "core/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace drovane {

// Linux has no drive c:, so the folder that is surely there stands in for it.
std::string defaultNcDirectory() {
    std::string home = homeFolder().native();
    if (!home.ends_with('/')) {
        home += '/';
    }
    return home;
}

bool takesWrites(const std::filesystem::path& target) {
    const UniqueFd file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    return file.valid() || errno == ENOENT;
}

} // namespace drovane
