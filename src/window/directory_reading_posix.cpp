#include "window/directory_reading.h"

#include <ctime>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace drovane {
namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

std::optional<LocalTime> localTimeOf(std::time_t seconds) {
    std::tm parts{};
    if (localtime_r(&seconds, &parts) == nullptr) {
        return std::nullopt;
    }
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                     parts.tm_min};
}

} // namespace

std::vector<FileEntry> readDirectory(const std::string& directory) {
    std::vector<FileEntry> entries;
    const std::unique_ptr<DIR, DirectoryCloser> handle(opendir(directory.c_str()));
    if (!handle) {
        return entries;
    }
    while (const dirent* item = readdir(handle.get())) {
        const std::string name = item->d_name;
        if (name.empty() || name.front() == '.') {
            continue;
        }
        struct stat info {};
        if (fstatat(dirfd(handle.get()), name.c_str(), &info, 0) != 0) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            entries.push_back({FileEntry::Kind::Folder, name, 0, localTimeOf(info.st_mtime), {}});
        } else if (S_ISREG(info.st_mode)) {
            entries.push_back({FileEntry::Kind::File,
                               name,
                               static_cast<std::uint64_t>(info.st_size),
                               localTimeOf(info.st_mtime),
                               {}});
        }
    }
    return entries;
}

} // namespace drovane
