#include "shell/file_entry.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

using drovane::FileEntry;

TEST(FileEntry, SizesAreKilobytesRoundedUp) {
    EXPECT_EQ(drovane::kilobyteText(0), "0 KB");
    EXPECT_EQ(drovane::kilobyteText(1), "1 KB");
    EXPECT_EQ(drovane::kilobyteText(1023), "1 KB");
    EXPECT_EQ(drovane::kilobyteText(1024), "1 KB");
    EXPECT_EQ(drovane::kilobyteText(1025), "2 KB");
    EXPECT_EQ(drovane::kilobyteText(5LL * 1024 * 1024 * 1024 + 1), "5242881 KB");
}

TEST(FileEntry, ColumnsDescribeTheKindOfEntry) {
    const QDateTime noon(QDate(2024, 3, 9), QTime(12, 5));
    const FileEntry file{FileEntry::Kind::File, "P1.nc", 2048, noon};
    const FileEntry bare{FileEntry::Kind::File, "README", 0, noon};
    const FileEntry folder{FileEntry::Kind::Folder, "sub", 0, noon};
    const FileEntry parent{FileEntry::Kind::Parent, "..", 0, {}};
    const FileEntry drive{FileEntry::Kind::Drive, "/", 0, {}};

    EXPECT_EQ(drovane::sizeColumnText(file), "2 KB");
    EXPECT_EQ(drovane::sizeColumnText(bare), "0 KB");
    EXPECT_EQ(drovane::sizeColumnText(folder), "");
    EXPECT_EQ(drovane::sizeColumnText(parent), "");

    EXPECT_EQ(drovane::typeColumnText(file), "NC-Datei");
    EXPECT_EQ(drovane::typeColumnText(bare), "Datei");
    EXPECT_EQ(drovane::typeColumnText(folder), "Dateiordner");
    EXPECT_EQ(drovane::typeColumnText(drive), "Laufwerk");
    EXPECT_EQ(drovane::typeColumnText(parent), "");

    EXPECT_EQ(drovane::dateColumnText(file), "09.03.2024 12:05");
    EXPECT_EQ(drovane::dateColumnText(folder), "09.03.2024 12:05");
    EXPECT_EQ(drovane::dateColumnText(parent), "");
}
