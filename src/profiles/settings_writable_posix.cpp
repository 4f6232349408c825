#include "profiles/settings_storage.h"

#include "core/unique_fd.h"

#include <cerrno>
#include <fcntl.h>

namespace drovane {

bool takesWrites(const std::filesystem::path& target) {
    const UniqueFd file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    return file.valid() || errno == ENOENT;
}

} // namespace drovane
