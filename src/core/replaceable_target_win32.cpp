#include "core/atomic_file.h"

#include "core/device_name_win32.h"
#include "core/unique_handle_win32.h"

#include <string>

namespace drovane {
namespace {

bool isFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Where a symbolic link leads; none when it dangles or leads to no regular file.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& link) {
    const UniqueHandle file(
        ::CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        ::GetFileInformationByHandle(file.get(), &info) == 0 || isFolder(info.dwFileAttributes)) {
        return std::nullopt;
    }
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            file.get(), target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < target.size()) {
            target.resize(length);
            return std::filesystem::path(target);
        }
        target.resize(length);
    }
}

} // namespace

std::optional<std::filesystem::path> replaceableTarget(const std::filesystem::path& path) {
    if (isDeviceName(path.native())) {
        return std::nullopt;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional(path) : std::nullopt;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return linkTarget(path);
    }
    if (isFolder(attributes) || (attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        return std::nullopt;
    }
    return path;
}

} // namespace drovane
