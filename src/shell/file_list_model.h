#pragma once

#include "shell/file_entry.h"
#include "shell/list_location.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

namespace drovane {

// The rows of the file list, read synchronously from the file system
// whenever the list is pointed somewhere or its directory changes on disk.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using DriveSource = std::function<QStringList()>;

    explicit FileListModel(QObject* parent = nullptr);

    // Reads the location afresh. A directory that is empty or not there
    // shows the drives view, and the location's directory becomes empty.
    void read(const ListLocation& location);
    const ListLocation& location() const { return m_location; }

    // Null outside the rows.
    const FileEntry* entry(int row) const;
    // The first row with this kind and name; -1 when there is none.
    int rowOf(FileEntry::Kind kind, const QString& name) const;

    // Where the drives view comes from; the mounts of this machine unless
    // replaced.
    void setDriveSource(DriveSource source);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<FileEntry> driveEntries() const;

    ListLocation m_location;
    std::vector<FileEntry> m_entries;
    DriveSource m_driveSource;
    std::array<QIcon, 4> m_icons; // by FileEntry::Kind
};

} // namespace drovane
