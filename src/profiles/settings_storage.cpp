#include "profiles/settings_storage.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane {
namespace {

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// Non-blocking, so that a FIFO at the path cannot hang the program.
constexpr int OpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool isRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
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

} // namespace

StoredSettings readStoredSettings(const std::filesystem::path& path) {
    StoredSettings stored;
    int fd = ::open(path.c_str(), O_RDWR | OpenFlags);
    if (fd < 0) {
        stored.readOnly = true;
        fd = ::open(path.c_str(), O_RDONLY | OpenFlags);
    }
    const FileHandle file(fd);
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
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(path, error);
    if (error) {
        target = path;
    }
    const FileHandle file(::open(target.c_str(), O_WRONLY | OpenFlags));
    if (!file.valid()) {
        if (errno == ENOENT) {
            return target;
        }
        return std::nullopt;
    }
    if (!isRegularFile(file.get())) {
        return std::nullopt;
    }
    return target;
}

} // namespace drovane
