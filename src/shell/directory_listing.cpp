#include "shell/directory_listing.h"

#include "shell/file_pattern.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace drovane {
namespace {

bool byName(const FileEntry& left, const FileEntry& right) {
    const int folded = QString::compare(left.name, right.name, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : left.name < right.name;
}

FileEntry entryFor(const QFileInfo& info) {
    FileEntry entry;
    entry.kind = info.isDir() ? FileEntry::Kind::Folder : FileEntry::Kind::File;
    entry.name = info.fileName();
    entry.size = entry.kind == FileEntry::Kind::File ? info.size() : 0;
    entry.modified = info.lastModified();
    return entry;
}

} // namespace

std::vector<FileEntry> listDirectory(const QString& directory, const QString& pattern) {
    const QFileInfoList infos = QDir(directory).entryInfoList(
        QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    std::vector<FileEntry> folders;
    std::vector<FileEntry> files;
    for (const QFileInfo& info : infos) {
        if (info.isDir()) {
            folders.push_back(entryFor(info));
        } else if (matchesFilePattern(info.fileName(), pattern)) {
            files.push_back(entryFor(info));
        }
    }
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);

    std::vector<FileEntry> entries;
    entries.reserve(1 + folders.size() + files.size());
    entries.push_back(FileEntry{FileEntry::Kind::Parent, QStringLiteral(".."), 0, {}});
    entries.insert(entries.end(), folders.begin(), folders.end());
    entries.insert(entries.end(), files.begin(), files.end());
    return entries;
}

} // namespace drovane
