#include "window/directory_reading.h"

#include "window/utf8_path.h"

#include <memory>
#include <windows.h>

namespace drovane {
namespace {

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};

// The desktop shows a file's time in the time zone rules of its date.
std::optional<LocalTime> localTimeOf(const FILETIME& written) {
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    if (FileTimeToSystemTime(&written, &universal) == FALSE ||
        SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) == FALSE) {
        return std::nullopt;
    }
    return LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
}

std::optional<FileEntry> entryOf(const WIN32_FIND_DATAW& found) {
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L".." || (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
        return std::nullopt;
    }
    FileEntry entry;
    entry.name = utf8FromPath(std::filesystem::path(name));
    entry.modified = localTimeOf(found.ftLastWriteTime);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        entry.kind = FileEntry::Kind::Folder;
    } else {
        entry.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32U) | found.nFileSizeLow;
    }
    return entry;
}

} // namespace

std::vector<FileEntry> readDirectory(const std::string& directory) {
    std::vector<FileEntry> entries;
    const std::wstring query = (pathFromUtf8(directory) / L"*").wstring();
    WIN32_FIND_DATAW found{};
    HANDLE first = FindFirstFileExW(query.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                    nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (first == INVALID_HANDLE_VALUE) {
        return entries;
    }
    const std::unique_ptr<void, FindCloser> search(first);
    do {
        if (auto entry = entryOf(found)) {
            entries.push_back(std::move(*entry));
        }
    } while (FindNextFileW(search.get(), &found) != FALSE);
    return entries;
}

} // namespace drovane
