#include "qt/file_list.h"

#include "file_list_tree.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using drovane::FileList;

namespace {

QStringList namesOf(const FileList& list) {
    QStringList names;
    for (int i = 0; i < list.entryCount(); ++i) {
        names.append(list.entryName(i));
    }
    return names;
}

int indexOf(const FileList& list, const QString& name) {
    return static_cast<int>(namesOf(list).indexOf(name));
}

class FileListTest : public testing::Test {
protected:
    void SetUp() override {
        tree.folder("beta");
        tree.folder("Alpha");
        tree.file("P1.NC", 1025);
        tree.file("p2.nc", 0);
        tree.file("P10.nc", 1);
        tree.file("notes.txt", 1024);
        tree.file("README", 3);
        tree.file(".hidden.nc", 3);
        list.resize(564, 317);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    void pressEnter() { QTest::keyClick(&list, Qt::Key_Return); }

    void doubleClick(int index) {
        const QRect row = list.visualRect(list.model()->index(index, 0));
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row.center());
    }

    QString cell(int row, int column) const {
        return list.model()->index(row, column).data().toString();
    }

    FileListTree tree;
    FileList list;
};

TEST_F(FileListTest, ParentFirstThenFoldersThenMatchingFilesByName) {
    list.pointAt(tree.path());
    EXPECT_EQ(list.currentDirectory(), tree.path());
    EXPECT_EQ(list.pattern(), "*.*");
    EXPECT_EQ(namesOf(list), (QStringList{"..", "Alpha", "beta", "notes.txt", "P1.NC", "P10.nc",
                                          "p2.nc", "README"}));
    EXPECT_FALSE(list.isFileEntry(0));
    EXPECT_FALSE(list.isFileEntry(1));
    EXPECT_FALSE(list.isFileEntry(2));
    EXPECT_TRUE(list.isFileEntry(3));
    EXPECT_TRUE(list.isFileEntry(7));
    EXPECT_FALSE(list.isFileEntry(8));
    EXPECT_FALSE(list.isFileEntry(-1));
    EXPECT_EQ(list.entryName(8), "");
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST_F(FileListTest, PatternsIgnoreLetterCaseAndNeverHideFolders) {
    list.pointAt(tree.path() + "*.nc");
    EXPECT_EQ(namesOf(list), (QStringList{"..", "Alpha", "beta", "P1.NC", "P10.nc", "p2.nc"}));
    list.pointAt("*.");
    EXPECT_EQ(namesOf(list), (QStringList{"..", "Alpha", "beta", "README"}));
    list.pointAt("p1*");
    EXPECT_EQ(namesOf(list), (QStringList{"..", "Alpha", "beta", "P1.NC", "P10.nc"}));
}

TEST_F(FileListTest, ColumnsShowSizeTypeAndDate) {
    list.pointAt(tree.path());
    const QHeaderView* header = list.header();
    const QStringList titles{"Name", "Größe", "Typ", "Änderungsdatum"};
    const int widths[] = {331, 50, 60, 119};
    ASSERT_EQ(list.model()->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list.model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
        EXPECT_EQ(header->sectionSize(column), widths[column]);
    }
    const int p1 = indexOf(list, "P1.NC");
    EXPECT_EQ(cell(p1, 1), "2 KB");
    EXPECT_EQ(cell(p1, 2), "NC-Datei");
    EXPECT_EQ(cell(p1, 3),
              QFileInfo(tree.path() + "P1.NC").lastModified().toString("dd.MM.yyyy HH:mm"));
    EXPECT_EQ(cell(indexOf(list, "p2.nc"), 1), "0 KB");
    EXPECT_EQ(cell(indexOf(list, "P10.nc"), 1), "1 KB");
    EXPECT_EQ(cell(indexOf(list, "notes.txt"), 1), "1 KB");
    EXPECT_EQ(cell(indexOf(list, "beta"), 1), "");
    EXPECT_EQ(cell(indexOf(list, "beta"), 2), "Dateiordner");
}

TEST_F(FileListTest, LocationRuleKeepsWhatTheTextDoesNotName) {
    list.pointAt(tree.path() + "*.nc"); // directory and pattern
    EXPECT_EQ(list.currentDirectory(), tree.path());
    EXPECT_EQ(list.pattern(), "*.nc");
    list.pointAt(tree.path() + "beta/"); // directory only
    EXPECT_EQ(list.currentDirectory(), tree.path() + "beta/");
    EXPECT_EQ(list.pattern(), "*.nc");
    list.pointAt("P1*"); // pattern only
    EXPECT_EQ(list.currentDirectory(), tree.path() + "beta/");
    EXPECT_EQ(list.pattern(), "P1*");
    QString windowsStyle = tree.path() + "Alpha\\";
    windowsStyle.replace('/', '\\');
    list.pointAt(windowsStyle);
    EXPECT_EQ(list.currentDirectory(), tree.path() + "Alpha/");
    EXPECT_EQ(list.pattern(), "P1*");
}

TEST_F(FileListTest, MissingDirectoryShowsTheDrives) {
    list.browser().setDriveSource([] {
        using drovane::FileEntry;
        return std::vector<FileEntry>{
            {FileEntry::Kind::Drive, "/", 0, std::nullopt, "Laufwerk"},
            {FileEntry::Kind::Drive, "/media/op/STICK/", 0, std::nullopt, "Laufwerk"}};
    });

    list.pointAt(tree.path() + "missing/*.nc");
    EXPECT_EQ(list.currentDirectory(), "");
    EXPECT_EQ(list.pattern(), "*.nc");
    EXPECT_EQ(namesOf(list), (QStringList{"/", "/media/op/STICK/"}));
    EXPECT_FALSE(list.isFileEntry(0));
    EXPECT_EQ(cell(1, 2), "Laufwerk");

    list.pointAt(""); // the drives view re-pointed at its own directory
    EXPECT_EQ(list.pattern(), "*.nc");
    EXPECT_EQ(list.entryCount(), 2);
}

TEST_F(FileListTest, ParentOfTheRootLeadsToTheDrivesAndBack) {
    const FileList fresh;
    EXPECT_EQ(fresh.currentDirectory(), "");
    EXPECT_EQ(fresh.entryName(0), "/");

    list.pointAt("/");
    ASSERT_EQ(list.entryName(0), "..");
    QSignalSpy changed(&list, &FileList::changed);
    list.selectEntry(0);
    pressEnter();
    EXPECT_EQ(list.currentDirectory(), "");
    EXPECT_EQ(list.entryName(0), "/");
    EXPECT_EQ(changed.count(), 2); // the selection, then the opened folder

    list.selectEntry(0);
    pressEnter();
    EXPECT_EQ(list.currentDirectory(), "/");
    EXPECT_EQ(list.entryName(0), "..");
}

TEST_F(FileListTest, OpeningFoldersChangesTheDirectoryAndReportsIt) {
    tree.file("beta/inner.nc", 10);
    list.pointAt(tree.path());
    QSignalSpy changed(&list, &FileList::changed);
    QSignalSpy opened(&list, &FileList::fileOpened);

    list.selectEntry(indexOf(list, "beta"));
    EXPECT_EQ(changed.count(), 1);
    pressEnter();
    EXPECT_EQ(list.currentDirectory(), tree.path() + "beta/");
    EXPECT_EQ(namesOf(list), (QStringList{"..", "inner.nc"}));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(list.selectedIndex(), -1);

    doubleClick(0); // ".."
    EXPECT_EQ(list.currentDirectory(), tree.path());
    doubleClick(indexOf(list, "Alpha"));
    EXPECT_EQ(list.currentDirectory(), tree.path() + "Alpha/");
    EXPECT_EQ(opened.count(), 0);
}

TEST_F(FileListTest, OpeningAFileReportsItAndStaysPut) {
    list.pointAt(tree.path());
    QSignalSpy changed(&list, &FileList::changed);
    QSignalSpy opened(&list, &FileList::fileOpened);

    pressEnter(); // nothing selected: nothing to open
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(changed.count(), 0);

    list.selectEntry(indexOf(list, "P1.NC"));
    pressEnter();
    EXPECT_EQ(opened.count(), 1);
    doubleClick(indexOf(list, "README"));
    EXPECT_EQ(opened.count(), 2);
    EXPECT_EQ(list.currentDirectory(), tree.path());
    EXPECT_EQ(list.entryName(list.selectedIndex()), "README");
}

TEST_F(FileListTest, SelectionChangesAreReportedButPointingIsNot) {
    list.pointAt(tree.path());
    QSignalSpy changed(&list, &FileList::changed);

    list.selectEntry(3);
    EXPECT_EQ(list.selectedIndex(), 3);
    EXPECT_EQ(changed.count(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.selectedIndex(), 4);
    EXPECT_EQ(changed.count(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.model()->index(1, 2)).center());
    EXPECT_EQ(list.selectedIndex(), 1);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);

    list.pointAt("*.nc");
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(FileListTest, FollowsTheDirectoryOnDisk) {
    list.pointAt(tree.path() + "*.nc");
    list.selectEntry(indexOf(list, "P10.nc"));
    QSignalSpy changed(&list, &FileList::changed);

    tree.file("P0.nc", 5);
    tree.file("ignored.txt", 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return indexOf(list, "P0.nc") >= 0; }, 10000));
    EXPECT_EQ(indexOf(list, "ignored.txt"), -1);
    EXPECT_EQ(list.entryName(list.selectedIndex()), "P10.nc");
    EXPECT_EQ(changed.count(), 0);

    ASSERT_TRUE(QFile::remove(tree.path() + "P10.nc"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return indexOf(list, "P10.nc") < 0; }, 10000));
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(changed.count(), 1);

    list.pointAt(tree.path() + "beta/");
    ASSERT_TRUE(QDir(tree.path() + "beta").removeRecursively());
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.currentDirectory().isEmpty(); }, 10000));
    EXPECT_EQ(list.entryName(0), "/");
    EXPECT_EQ(changed.count(), 2);
}

// Desktop themes often grey the selection of inactive windows; this one does.
class GreyInactiveSelection {
public:
    GreyInactiveSelection() {
        QPalette themed = m_saved;
        themed.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
        QApplication::setPalette(themed);
    }
    ~GreyInactiveSelection() { QApplication::setPalette(m_saved); }
    GreyInactiveSelection(const GreyInactiveSelection&) = delete;
    GreyInactiveSelection& operator=(const GreyInactiveSelection&) = delete;

private:
    QPalette m_saved = QApplication::palette();
};

TEST_F(FileListTest, GridAndSelectionStayVisibleWithoutFocus) {
    const GreyInactiveSelection theme;
    FileList themed;
    themed.resize(564, 317);
    themed.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&themed));
    themed.pointAt(tree.path());
    themed.selectEntry(1);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_FALSE(themed.isActiveWindow());

    const QImage shot = themed.viewport()->grab().toImage();
    const QRect selected = themed.visualRect(themed.model()->index(1, 2));
    const QRect plain = themed.visualRect(themed.model()->index(2, 2));
    // The type cell of a folder row has text only on its left; sample its far right.
    const QPoint inSelected(selected.right() - 3, selected.center().y());
    const QPoint inPlain(plain.right() - 3, plain.center().y());
    EXPECT_EQ(shot.pixelColor(inSelected),
              QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    // A vertical grid line ends every column, a horizontal one every row.
    const QColor background = shot.pixelColor(inPlain);
    EXPECT_NE(shot.pixelColor(plain.right(), plain.center().y()), background);
    EXPECT_NE(shot.pixelColor(inPlain.x(), plain.bottom()), background);
}

} // namespace
