#include "core/home_folder.h"
#include "profiles/profile_keys.h"

namespace drovane {

// Linux has no drive c:, so the folder that is surely there stands in for it.
std::string defaultNcDirectory() {
    std::string home = homeFolder().native();
    if (!home.ends_with('/')) {
        home += '/';
    }
    return home;
}

} // namespace drovane
