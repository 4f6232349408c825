#include "window/file_entry.h"

#include <gtest/gtest.h>

using drovane::FileEntry;
using drovane::LocalTime;

namespace {

TEST(FileEntry, SizesAreKilobytesRoundedUp) {
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {1, "1 KB"},
        {1023, "1 KB"},
        {1024, "1 KB"},
        {1025, "2 KB"},
        {5ULL * 1024 * 1024 * 1024 + 1, "5242881 KB"},
        {UINT64_MAX, "18014398509481984 KB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drovane::kilobyteText(c.bytes), c.text) << c.bytes;
    }
}

TEST(FileEntry, ColumnsDescribeTheKindOfEntry) {
    const LocalTime noon{2024, 3, 9, 12, 5};
    const FileEntry file{FileEntry::Kind::File, "P1.nc", 2048, noon, {}};
    const FileEntry bare{FileEntry::Kind::File, "README", 0, noon, {}};
    const FileEntry trailingDot{FileEntry::Kind::File, "README.", 0, noon, {}};
    const FileEntry umlaut{FileEntry::Kind::File, "teil.bär", 0, noon, {}};
    const FileEntry folder{FileEntry::Kind::Folder, "sub.d", 0, LocalTime{987, 12, 31, 0, 0}, {}};
    const FileEntry parent{FileEntry::Kind::Parent, "..", 0, noon, {}};
    const FileEntry drive{FileEntry::Kind::Drive, "/", 0, std::nullopt, "Laufwerk"};

    const struct {
        const FileEntry& entry;
        drovane::FileRowText row;
    } cases[] = {
        {file, {"P1.nc", "2 KB", "NC-Datei", "09.03.2024 12:05"}},
        {bare, {"README", "0 KB", "Datei", "09.03.2024 12:05"}},
        {trailingDot, {"README.", "0 KB", "Datei", "09.03.2024 12:05"}},
        {umlaut, {"teil.bär", "0 KB", "BÄR-Datei", "09.03.2024 12:05"}},
        {folder, {"sub.d", "", "Dateiordner", "31.12.0987 00:00"}},
        {parent, {"..", "", "", ""}},
        {drive, {"/", "", "Laufwerk", ""}},
    };
    for (const auto& c : cases) {
        const drovane::FileRowText row = drovane::fileRowText(c.entry);
        EXPECT_EQ(row.name, c.row.name);
        EXPECT_EQ(row.size, c.row.size) << c.entry.name;
        EXPECT_EQ(row.type, c.row.type) << c.entry.name;
        EXPECT_EQ(row.modified, c.row.modified) << c.entry.name;
    }
}

} // namespace
