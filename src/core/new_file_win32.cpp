#include "core/new_file.h"

#include "core/file_writing.h"
#include "core/open_file_win32.h"

namespace drovane {

NewFileResult writeNewFile(const std::filesystem::path& path, std::string_view bytes,
                           WriteCall writeCall) {
    OpenFile file;
    file.handle.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.handle.valid()) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                   ? NewFileResult::NameTaken
                   : NewFileResult::Failed;
    }
    const bool written = writeAll(file, bytes, writeCall != nullptr ? writeCall : writeToFile) &&
                         ::FlushFileBuffers(file.handle.get()) != 0;
    if (::CloseHandle(file.handle.release()) == 0 || !written) {
        ::DeleteFileW(path.c_str());
        return NewFileResult::Failed;
    }
    return NewFileResult::Written;
}

} // namespace drovane
