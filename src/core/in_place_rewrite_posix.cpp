#include "core/file_writing.h"
#include "core/file_writing_posix.h"
#include "core/open_file_posix.h"

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace drovane {
namespace {

namespace fs = std::filesystem;

// A copy of the old bytes in the system's temporary folder ($TMPDIR, else
// /tmp), readable by the saving user only. It is removed once the target holds
// either the new bytes or the old ones again, and stays behind only when
// neither could be brought back.
std::optional<fs::path> writeBackup(std::string_view oldBytes) {
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error);
    if (error) {
        return std::nullopt;
    }
    std::string name = (folder / "drovane-backup-XXXXXX").string();
    OpenFile backup{UniqueFd(::mkostemp(name.data(), O_CLOEXEC))};
    if (!backup.fd.valid()) {
        return std::nullopt;
    }
    const bool written = writeAll(backup, oldBytes, writeToFile) && ::fsync(backup.fd.get()) == 0;
    if (::close(backup.fd.release()) != 0 || !written) {
        ::unlink(name.c_str());
        return std::nullopt;
    }
    return fs::path(name);
}

bool replaceContents(OpenFile& file, std::string_view bytes, WriteCall writeCall) {
    const int fd = file.fd.get();
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(file, bytes, writeCall) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

} // namespace

bool rewriteInPlace(const fs::path& target, std::string_view bytes, WriteCall writeCall) {
    OpenFile file{UniqueFd(::open(target.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC))};
    struct stat info {};
    if (!file.fd.valid() || ::fstat(file.fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::string oldBytes;
    if (!readAll(file.fd.get(), oldBytes)) {
        return false;
    }
    const auto backup = writeBackup(oldBytes);
    if (!backup) {
        return false; // never touch the only copy
    }
    const bool rewritten = replaceContents(file, bytes, writeCall);
    if (rewritten || replaceContents(file, oldBytes, writeToFile)) {
        ::unlink(backup->c_str());
    }
    return rewritten;
}

} // namespace drovane
