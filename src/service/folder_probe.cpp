#include "service/folder_probe.h"

#include "core/new_file.h"

#include <chrono>
#include <string>
#include <system_error>

namespace drovane {
namespace {

bool isFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

} // namespace

FolderState probeWritableFolder(const std::filesystem::path& folder) {
    if (!isFolder(folder)) {
        return FolderState::Missing;
    }
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto probe = folder / (".drovane-dnc-probe-" + std::to_string(tick));
    if (writeNewFile(probe, {}) != NewFileResult::Written) {
        return FolderState::NotWritable;
    }
    std::error_code error;
    std::filesystem::remove(probe, error);
    return FolderState::Usable;
}

FolderState probeReadableFolder(const std::filesystem::path& folder) {
    if (!isFolder(folder)) {
        return FolderState::Missing;
    }
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    return error ? FolderState::Unreadable : FolderState::Usable;
}

} // namespace drovane
