#include "core/atomic_file.h"

#include "core/file_writing.h"
#include "core/open_file_win32.h"
#include "core/unique_handle_win32.h"

namespace drovane {
namespace {

// Another program may hold the target open without letting it be deleted (an
// editor, say); then no replacement can succeed, and Wine's ReplaceFileW
// would leave an empty file of its own behind. Such a target is refused
// before anything moves.
bool othersLetItBeReplaced(const std::filesystem::path& target) {
    const UniqueHandle probe(::CreateFileW(target.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.valid() || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

// ReplaceFileW keeps the replaced file's attributes and security, as the
// Linux side keeps its mode and owner; a file that is not there (any more)
// is simply moved into place.
bool moveIntoPlace(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH,
                       nullptr, nullptr) != 0) {
        return true;
    }
    return ::GetLastError() == ERROR_FILE_NOT_FOUND &&
           ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
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
    OpenFile file;
    std::filesystem::path temporary;
    if (!othersLetItBeReplaced(*target) || !temporaryCall(*target, file, temporary)) {
        return false;
    }
    const bool written =
        writeAll(file, bytes, writeCall) && ::FlushFileBuffers(file.handle.get()) != 0;
    const bool closed = ::CloseHandle(file.handle.release()) != 0;
    if (!written || !closed || !moveIntoPlace(temporary, *target)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace drovane
