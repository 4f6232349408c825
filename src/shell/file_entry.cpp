#include "shell/file_entry.h"

#include <QFileInfo>

namespace drovane {

QString kilobyteText(qint64 bytes) {
    const qint64 kilobytes = bytes <= 0 ? 0 : (bytes - 1) / 1024 + 1;
    return QString::number(kilobytes) + QStringLiteral(" KB");
}

QString sizeColumnText(const FileEntry& entry) {
    return entry.kind == FileEntry::Kind::File ? kilobyteText(entry.size) : QString();
}

QString typeColumnText(const FileEntry& entry) {
    switch (entry.kind) {
    case FileEntry::Kind::Parent:
        return {};
    case FileEntry::Kind::Drive:
        return QStringLiteral("Laufwerk");
    case FileEntry::Kind::Folder:
        return QStringLiteral("Dateiordner");
    case FileEntry::Kind::File:
        break;
    }
    const QString suffix = QFileInfo(entry.name).suffix();
    return suffix.isEmpty() ? QStringLiteral("Datei") : suffix.toUpper() + QStringLiteral("-Datei");
}

QString dateColumnText(const FileEntry& entry) {
    if (entry.kind == FileEntry::Kind::Parent || !entry.modified.isValid()) {
        return {};
    }
    return entry.modified.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

} // namespace drovane
