#include "core/read_regular_file.h"

#include "core/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane {
namespace {

// Reads until the end of the file, growing past the size seen at the start in
// case the file grows while we read it.
bool readToEnd(int fd, std::string& bytes, std::size_t expectedSize) {
    bytes.resize(expectedSize == 0 ? 4096 : expectedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            bytes.resize(filled);
            return true;
        }
        filled += static_cast<std::size_t>(got);
    }
}

} // namespace

// Only what is a regular file before the open is opened, without blocking,
// and checked again on the descriptor.
std::optional<std::string> readRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::string bytes;
    if (!readToEnd(fd.get(), bytes, static_cast<std::size_t>(info.st_size))) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace drovane
