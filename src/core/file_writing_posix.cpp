#include "core/file_writing_posix.h"

#include "core/open_file_posix.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace drovane {

std::ptrdiff_t writeToFile(OpenFile& file, std::string_view bytes) {
    for (;;) {
        const ssize_t written = ::write(file.fd.get(), bytes.data(), bytes.size());
        if (written >= 0 || errno != EINTR) {
            return written;
        }
    }
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
bool createTemporaryFile(const std::filesystem::path& target, OpenFile& file,
                         std::filesystem::path& temporary) {
    static constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t suffix = TemporarySuffixLength - 1;
    thread_local std::minstd_rand random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string name = target.string() + "." + std::string(suffix, 'X');
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = name.size() - suffix; i < name.size(); ++i) {
            name[i] = letters[pick(random)];
        }
        file.fd.reset(
            ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.fd.valid()) {
            temporary = name;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

} // namespace drovane
