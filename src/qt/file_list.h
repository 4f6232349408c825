#pragma once

#include "qt/file_list_model.h"
#include "window/file_browser.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>
#include <QTreeView>

namespace drovane {

// The file list of the send/receive tab: a view of its FileBrowser, which
// decides what it shows. Paths use "/"; "\" is accepted wherever the program
// points the list at a text.
class FileList : public QTreeView, private FileBrowserObserver {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    ~FileList() override;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;
    FileList(FileList&&) = delete;
    FileList& operator=(FileList&&) = delete;

    FileBrowser& browser() { return m_browser; }
    const FileBrowser& browser() const { return m_browser; }

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
    // Shows the row at the top as far as the list can scroll.
    void showFromRow(int row);

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
    void listingAboutToChange() override;
    void listingChanged() override;
    void selectedEntryChanged() override;

    void configureLook();
    void viewSelectionChanged();
    int viewSelectedRow() const;
    void openEntry(int index);
    void refreshFromDisk();

    FileBrowser m_browser;
    FileListModel m_model{m_browser};
    QFileSystemWatcher m_watcher;
    QTimer m_refreshDelay;
    bool m_quiet = false;
    bool m_quietBeforeReading = false;
    // Set while the view's selection is handed to the browser, so the
    // browser's answer is not handed back.
    bool m_fromView = false;
};

// Selects the first entry from firstIndex on whose text in the column starts
// with the text (case-sensitive), scrolls it into view off the last visible
// line, selects it and gives the list the focus. Returns its index or -1.
int selectListEntry(FileList& list, const QString& text, int column, int firstIndex);

} // namespace drovane
