#pragma once

// Stand-in for the file list control until the real one is merged: same
// interface, plain synchronous listing, no drives view beyond "/".

#include <QStandardItemModel>
#include <QString>
#include <QTreeView>

namespace drovane {

class FileList : public QTreeView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    void pointAt(const QString& text);
    QString currentDirectory() const;
    QString pattern() const;
    int selectedIndex() const;
    bool isFileEntry(int index) const;
    QString entryName(int index) const;
    int entryCount() const;
    void selectEntry(int index);
    void makeEntryVisible(int index);
    void scrollToTop();
    void scrollPageDown();
    void scrollLineUp();
    int entriesPerPage() const;

signals:
    void changed();
    void fileOpened();

private:
    void reload();
    void open(const QModelIndex& index);
    void keyPressEvent(QKeyEvent* event) override;

    QStandardItemModel model_;
    QString directory_;
    QString pattern_ = QStringLiteral("*.*");
};

int selectListEntry(FileList& list, const QString& text, int column, int firstIndex);

} // namespace drovane
