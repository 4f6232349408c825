#include "core/atomic_file.h"

#include "core/file_writing.h"
#include "core/file_writing_posix.h"
#include "core/open_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane {
namespace {

// The replacement takes over what the old file was: its mode, its group where
// the saving user belongs to it, its owner where the user may give it away.
// A new file keeps the mode it was created with.
bool takeOver(int fd, const struct stat* old) {
    if (old == nullptr) {
        return true;
    }
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
        [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    }
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

// Makes the rename itself survive a power loss.
void syncDirectory(const std::filesystem::path& directory) {
    const UniqueFd fd(
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         WriteCall writeCall, TemporaryCall temporaryCall) {
    if (writeCall == nullptr) {
        writeCall = writeToFile;
    }
    if (temporaryCall == nullptr) {
        temporaryCall = createTemporaryFile;
    }
    const auto target = replaceableTarget(path);
    if (!target) {
        return false;
    }
    struct stat old {};
    const bool existed = ::stat(target->c_str(), &old) == 0;
    OpenFile file;
    std::filesystem::path temporary;
    if (!temporaryCall(*target, file, temporary)) {
        // A folder the user may not write can still hold a file the user may.
        return existed && rewriteInPlace(*target, bytes, writeCall);
    }
    const int fd = file.fd.get();
    const bool written = takeOver(fd, existed ? &old : nullptr) &&
                         writeAll(file, bytes, writeCall) && ::fsync(fd) == 0;
    const bool closed = ::close(file.fd.release()) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(target->parent_path());
    return true;
}

} // namespace drovane
