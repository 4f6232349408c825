#include "core/new_file.h"

#include "core/file_writing.h"
#include "core/open_file_posix.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace drovane {

NewFileResult writeNewFile(const std::filesystem::path& path, std::string_view bytes,
                           WriteCall writeCall) {
    OpenFile file;
    file.fd.reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file.fd.valid()) {
        return errno == EEXIST ? NewFileResult::NameTaken : NewFileResult::Failed;
    }
    const bool written = writeAll(file, bytes, writeCall != nullptr ? writeCall : writeToFile) &&
                         ::fsync(file.fd.get()) == 0;
    if (::close(file.fd.release()) != 0 || !written) {
        ::unlink(path.c_str());
        return NewFileResult::Failed;
    }
    return NewFileResult::Written;
}

} // namespace drovane
