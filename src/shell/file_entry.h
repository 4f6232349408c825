#pragma once

#include <QDateTime>
#include <QString>

namespace drovane {

// One row of the file list.
struct FileEntry {
    enum class Kind { Parent, Drive, Folder, File };

    Kind kind = Kind::File;
    QString name;
    qint64 size = 0;
    QDateTime modified;
};

// Kilobytes rounded up, as the size column shows them: 0 -> "0 KB",
// 1 -> "1 KB", 1024 -> "1 KB", 1025 -> "2 KB".
QString kilobyteText(qint64 bytes);

// The four columns of a row; empty where a column says nothing about the entry.
QString sizeColumnText(const FileEntry& entry);
QString typeColumnText(const FileEntry& entry);
QString dateColumnText(const FileEntry& entry);

} // namespace drovane
