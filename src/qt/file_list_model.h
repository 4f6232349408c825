#pragma once

#include "window/file_browser.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <array>

namespace drovane {

// The rows of a FileBrowser as the Qt list draws them; it reads nothing itself.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FileListModel(const FileBrowser& browser, QObject* parent = nullptr);

    // Bracket every new reading of the browser's listing.
    void beginReading() { beginResetModel(); }
    void endReading() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const FileBrowser& m_browser;
    std::array<QIcon, 4> m_icons; // by FileEntry::Kind
};

} // namespace drovane
