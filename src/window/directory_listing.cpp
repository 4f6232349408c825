#include "window/directory_listing.h"

#include "window/directory_reading.h"
#include "window/file_pattern.h"
#include "window/unicode_case.h"

#include <algorithm>
#include <utility>

namespace drovane {

void sortByName(std::vector<FileEntry>& entries) {
    // Fold each name once, not once per comparison.
    std::vector<std::pair<std::u32string, FileEntry>> keyed;
    keyed.reserve(entries.size());
    for (FileEntry& entry : entries) {
        keyed.emplace_back(foldedCase(entry.name), std::move(entry));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& left, const auto& right) {
        return left.first != right.first ? left.first < right.first
                                         : left.second.name < right.second.name;
    });
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i] = std::move(keyed[i].second);
    }
}

std::vector<FileEntry> listDirectory(const std::string& directory, std::string_view pattern) {
    const FilePattern matcher(pattern);
    std::vector<FileEntry> folders;
    std::vector<FileEntry> files;
    for (FileEntry& entry : readDirectory(directory)) {
        if (entry.kind == FileEntry::Kind::Folder) {
            folders.push_back(std::move(entry));
        } else if (matcher.matches(entry.name)) {
            files.push_back(std::move(entry));
        }
    }
    sortByName(folders);
    sortByName(files);

    std::vector<FileEntry> entries;
    entries.reserve(1 + folders.size() + files.size());
    entries.push_back({FileEntry::Kind::Parent, "..", 0, std::nullopt, {}});
    std::move(folders.begin(), folders.end(), std::back_inserter(entries));
    std::move(files.begin(), files.end(), std::back_inserter(entries));
    return entries;
}

} // namespace drovane
