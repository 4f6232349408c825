#pragma once

#include "shell/file_list_model.h"
#include "shell/list_location.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>
#include <QTreeView>

namespace drovane {

// The file list of the send/receive tab: ".." first, then folders, then the
// files matching the pattern, or the drives view. Paths use "/"; "\" is
// accepted wherever the program points the list at a text.
class FileList : public QTreeView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    ~FileList() override;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // (a) a text without "/" replaces the pattern; (b) a text ending in "/"
    // replaces the directory; (c) anything else sets both. The empty text
    // is the drives view. Re-reads the listing synchronously and selects
    // nothing.
    void pointAt(const QString& text);
    // Always ends in "/"; empty while the drives view shows.
    QString currentDirectory() const;
    // "*.*" until the program sets one.
    QString pattern() const;

    int selectedIndex() const; // -1 for none
    bool isFileEntry(int index) const;
    QString entryName(int index) const; // column 0
    int entryCount() const;
    // -1 clears the selection.
    void selectEntry(int index);
    void makeEntryVisible(int index);
    // scrollToTop() is the item view's own.
    void scrollPageDown();
    void scrollLineUp();
    // Rows that fit wholly into the visible area.
    int entriesPerPage() const;

signals:
    // The selected entry changed, or the operator opened a folder entry.
    void changed();
    // The operator double-clicked a file entry or pressed Enter on it.
    void fileOpened();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    void configureLook();
    void readLocation(const ListLocation& location);
    void openEntry(int index);
    void refreshFromDisk();
    void selectQuietly(int index);

    FileListModel m_model;
    QFileSystemWatcher m_watcher;
    QTimer m_refreshDelay;
    bool m_quiet = false;
};

// Selects the first entry from firstIndex on whose text in the column starts
// with the text (case-sensitive), scrolls it into view off the last visible
// line, selects it and gives the list the focus. Returns its index or -1.
int selectListEntry(FileList& list, const QString& text, int column, int firstIndex);

} // namespace drovane
