#include "qt/file_list.h"

#include "file_list_tree.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using drovane::FileList;
using drovane::selectListEntry;

namespace {

class SelectListEntryTest : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 60; ++i) {
            tree.file(QStringLiteral("F%1.nc").arg(i, 2, 10, QChar(u'0')), 10);
        }
        tree.file("P1.nc", 10);
        tree.file("P10.nc", 10);
        tree.folder("sub");
        list.resize(564, 317);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        list.pointAt(tree.path() + "*.nc");
        ASSERT_GT(list.entriesPerPage(), 5);
        ASSERT_LT(list.entriesPerPage(), 40);
    }

    int index(const QString& name) const {
        for (int i = 0; i < list.entryCount(); ++i) {
            if (list.entryName(i) == name) {
                return i;
            }
        }
        return -1;
    }

    QRect rowRect(int row) const { return list.visualRect(list.model()->index(row, 0)); }

    bool fullyVisible(int row) const { return list.viewport()->rect().contains(rowRect(row)); }

    FileListTree tree;
    FileList list;
};

TEST_F(SelectListEntryTest, PrefixMatchFromTheFirstIndexOnIsCaseSensitive) {
    EXPECT_EQ(selectListEntry(list, "P1", 0, 0), index("P1.nc"));
    EXPECT_EQ(list.selectedIndex(), index("P1.nc"));
    EXPECT_EQ(selectListEntry(list, "P1", 0, index("P1.nc") + 1), index("P10.nc"));
    EXPECT_EQ(selectListEntry(list, "P10", 0, 0), index("P10.nc"));
    EXPECT_EQ(selectListEntry(list, "p1", 0, 0), -1);
    EXPECT_EQ(selectListEntry(list, "P1.nc.bak", 0, 0), -1);
    EXPECT_EQ(selectListEntry(list, "sub", 0, 0), index("sub"));
    EXPECT_EQ(selectListEntry(list, "NC-", 2, 0), index("F00.nc"));
}

TEST_F(SelectListEntryTest, NoMatchSelectsNothing) {
    list.selectEntry(3);
    EXPECT_EQ(selectListEntry(list, "Q", 0, 0), -1);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.verticalScrollBar()->value(), 0);
}

TEST_F(SelectListEntryTest, FoundEntryIsShownOffTheLastVisibleLine) {
    const int near = index("F03.nc");
    list.scrollToBottom();
    EXPECT_EQ(selectListEntry(list, "F03", 0, 0), near);
    EXPECT_EQ(list.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(fullyVisible(near));

    for (const QString name : {"F30", "F45", "F20"}) {
        const int found = index(name + ".nc");
        ASSERT_GT(found, list.entriesPerPage());
        EXPECT_EQ(selectListEntry(list, name, 0, 0), found);
        EXPECT_EQ(list.selectedIndex(), found);
        EXPECT_TRUE(fullyVisible(found)) << name.toStdString();
        EXPECT_TRUE(fullyVisible(found + 1)) << name.toStdString();
        EXPECT_EQ(list.indexAt(QPoint(1, 1)).row(), found) << name.toStdString();
    }

    const int last = list.entryCount() - 1;
    EXPECT_EQ(selectListEntry(list, list.entryName(last), 0, 0), last);
    EXPECT_TRUE(fullyVisible(last));
    EXPECT_EQ(list.focusWidget(), &list);
}

TEST_F(SelectListEntryTest, RefreshOnDiskKeepsSelectionAndScrollPosition) {
    const int found = selectListEntry(list, "F45", 0, 0);
    const int topRow = list.indexAt(QPoint(1, 1)).row();
    ASSERT_GT(topRow, 0);
    tree.file("Z.nc", 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return index("Z.nc") >= 0; }, 10000));
    EXPECT_EQ(list.selectedIndex(), found);
    EXPECT_EQ(list.indexAt(QPoint(1, 1)).row(), topRow);
}

} // namespace
