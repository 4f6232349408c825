#include "qt/instance_directory.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane {

std::filesystem::path defaultInstanceDirectory() {
    // The desktop session's own private folder, when there is one.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR"); // NOLINT(concurrency-mt-unsafe)
    if (runtime != nullptr && runtime[0] == '/') {
        return std::filesystem::path(runtime) / "drovane";
    }
    return std::filesystem::path("/tmp") / ("drovane-" + std::to_string(::getuid()));
}

bool preparePrivateDirectory(const std::filesystem::path& directory) {
    if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    // lstat: a link planted by someone else must not redirect us.
    if (::lstat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return false;
    }
    return (info.st_mode & 077) == 0 || ::chmod(directory.c_str(), 0700) == 0;
}

} // namespace drovane
