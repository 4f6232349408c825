#include "profiles/profile_keys.h"

namespace drovane {

std::string defaultNcDirectory() {
    return "c:\\";
}

} // namespace drovane
