#include "core/file_writing.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace drovane {

bool writeAll(int fd, std::string_view bytes, WriteCall writeCall) {
    while (!bytes.empty()) {
        const ssize_t written = writeCall(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool readAll(int fd, std::string& bytes) {
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

// mkostemp would create the file with 0600 and leave the umask to be guessed,
// which only a process-wide umask() round trip could do.
int createTemporaryFile(char* pattern, int flags) {
    static constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t suffix = 6;
    const std::size_t length = std::strlen(pattern);
    if (length < suffix) {
        errno = EINVAL;
        return -1;
    }
    thread_local std::minstd_rand random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = length - suffix; i < length; ++i) {
            pattern[i] = letters[pick(random)];
        }
        const int fd = ::open(pattern, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | flags, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace drovane
