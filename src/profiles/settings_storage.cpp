#include "profiles/settings_storage.h"

#include "core/atomic_file.h"
#include "core/file_writing.h"
#include "core/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane {
namespace {

// Non-blocking, so that a FIFO at the path cannot hang the program.
constexpr int OpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool isRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

StoredSettings readStoredSettings(const std::filesystem::path& path) {
    StoredSettings stored;
    int fd = ::open(path.c_str(), O_RDWR | OpenFlags);
    if (fd < 0) {
        stored.readOnly = true;
        fd = ::open(path.c_str(), O_RDONLY | OpenFlags);
    }
    const UniqueFd file(fd);
    if (!file.valid() || !isRegularFile(file.get())) {
        return {};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) == 0) {
        stored.bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    stored.found = readAll(file.get(), stored.bytes);
    if (!stored.found) {
        return {};
    }
    return stored;
}

std::optional<std::filesystem::path> replaceableSettingsFile(const std::filesystem::path& path) {
    auto target = replaceableTarget(path);
    if (!target) {
        return std::nullopt;
    }
    // Only a regular file gets here, so opening it has no side effects.
    const UniqueFd file(::open(target->c_str(), O_WRONLY | OpenFlags));
    if (!file.valid() && errno != ENOENT) {
        return std::nullopt;
    }
    return target;
}

} // namespace drovane
