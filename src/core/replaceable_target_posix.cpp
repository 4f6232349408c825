#include "core/atomic_file.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace drovane {

std::optional<std::filesystem::path> replaceableTarget(const std::filesystem::path& path) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        return errno == ENOENT ? std::optional(path) : std::nullopt;
    }
    std::filesystem::path target = path;
    if (S_ISLNK(entry.st_mode)) {
        std::error_code error;
        target = std::filesystem::canonical(path, error);
        if (error) {
            return std::nullopt; // dangling, or a loop
        }
    }
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return target;
}

} // namespace drovane
