#include "qt/file_list_model.h"

#include "window/file_list_columns.h"

#include <QApplication>
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

QString columnText(const FileRowText& row, int column) {
    switch (column) {
    case 0:
        return QString::fromStdString(row.name);
    case 1:
        return QString::fromStdString(row.size);
    case 2:
        return QString::fromStdString(row.type);
    default:
        return QString::fromStdString(row.modified);
    }
}

} // namespace

FileListModel::FileListModel(const FileBrowser& browser, QObject* parent)
    : QAbstractTableModel(parent), m_browser(browser) {
    if (const QStyle* style = QApplication::style()) {
        m_icons[kindSlot(FileEntry::Kind::Parent)] =
            style->standardIcon(QStyle::SP_FileDialogToParent);
        m_icons[kindSlot(FileEntry::Kind::Drive)] = style->standardIcon(QStyle::SP_DriveHDIcon);
        m_icons[kindSlot(FileEntry::Kind::Folder)] = style->standardIcon(QStyle::SP_DirIcon);
        m_icons[kindSlot(FileEntry::Kind::File)] = style->standardIcon(QStyle::SP_FileIcon);
    }
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_browser.entryCount();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fileListColumns.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    const FileEntry* entry = m_browser.entry(index.row());
    if (entry == nullptr || index.column() < 0 || index.column() >= columnCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return columnText(m_browser.rows()[static_cast<std::size_t>(index.row())], index.column());
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(m_icons[kindSlot(entry->kind)]) : QVariant();
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
