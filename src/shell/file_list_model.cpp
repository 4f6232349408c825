#include "shell/file_list_model.h"

#include "shell/directory_listing.h"
#include "shell/drive_listing.h"
#include "window/file_list_columns.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

namespace drovane {
namespace {

std::size_t kindSlot(FileEntry::Kind kind) {
    return static_cast<std::size_t>(kind);
}

QVariant alignmentOf(int column) {
    const Qt::Alignment horizontal =
        fileListColumns[static_cast<std::size_t>(column)].alignment == ColumnAlignment::Right
            ? Qt::AlignRight
            : Qt::AlignLeft;
    return static_cast<int>((horizontal | Qt::AlignVCenter).toInt());
}

QString columnText(const FileEntry& entry, int column) {
    switch (column) {
    case 0:
        return entry.name;
    case 1:
        return sizeColumnText(entry);
    case 2:
        return typeColumnText(entry);
    default:
        return dateColumnText(entry);
    }
}

} // namespace

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent), m_driveSource(&mountedDrives) {
    if (const QStyle* style = QApplication::style()) {
        m_icons[kindSlot(FileEntry::Kind::Parent)] =
            style->standardIcon(QStyle::SP_FileDialogToParent);
        m_icons[kindSlot(FileEntry::Kind::Drive)] = style->standardIcon(QStyle::SP_DriveHDIcon);
        m_icons[kindSlot(FileEntry::Kind::Folder)] = style->standardIcon(QStyle::SP_DirIcon);
        m_icons[kindSlot(FileEntry::Kind::File)] = style->standardIcon(QStyle::SP_FileIcon);
    }
}

void FileListModel::read(const ListLocation& location) {
    beginResetModel();
    m_location = location;
    if (!m_location.directory.isEmpty() && !QFileInfo(m_location.directory).isDir()) {
        m_location.directory.clear();
    }
    m_entries = m_location.directory.isEmpty()
                    ? driveEntries()
                    : listDirectory(m_location.directory, m_location.pattern);
    endResetModel();
}

const FileEntry* FileListModel::entry(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        return nullptr;
    }
    return &m_entries[static_cast<std::size_t>(row)];
}

int FileListModel::rowOf(FileEntry::Kind kind, const QString& name) const {
    for (std::size_t row = 0; row < m_entries.size(); ++row) {
        if (m_entries[row].kind == kind && m_entries[row].name == name) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void FileListModel::setDriveSource(DriveSource source) {
    m_driveSource = std::move(source);
}

std::vector<FileEntry> FileListModel::driveEntries() const {
    std::vector<FileEntry> drives;
    for (const QString& drive : m_driveSource()) {
        drives.push_back(FileEntry{FileEntry::Kind::Drive, drive, 0, {}});
    }
    return drives;
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fileListColumns.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    const FileEntry* row = entry(index.row());
    if (row == nullptr || index.column() < 0 || index.column() >= columnCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return columnText(*row, index.column());
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(m_icons[kindSlot(row->kind)]) : QVariant();
    case Qt::TextAlignmentRole:
        return alignmentOf(index.column());
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(fileListColumns[static_cast<std::size_t>(section)].title);
    }
    if (role == Qt::TextAlignmentRole) {
        return alignmentOf(section);
    }
    return {};
}

} // namespace drovane
