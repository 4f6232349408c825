#include "window/directory_reading.h"

#include "../browser_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <windows.h>

using drovane::FileEntry;

namespace {

class DirectoryReading : public drovane::fixtures::BrowserFolder {
protected:
    std::map<std::string, FileEntry> read() const {
        std::map<std::string, FileEntry> byName;
        for (FileEntry& entry : drovane::readDirectory(path())) {
            EXPECT_TRUE(byName.emplace(entry.name, entry).second) << entry.name;
        }
        return byName;
    }

    void setAttributes(std::string_view name, DWORD attributes) const {
        ASSERT_NE(SetFileAttributesW(at(name).c_str(), attributes), FALSE);
    }
};

TEST_F(DirectoryReading, HiddenEntriesStayOutAndNamesAreUtf8) {
    folder("sub");
    folder("versteckt");
    file("Änderung.nc", 3000);
    file("geheim.nc", 1);
    file("P1", 1);
    setAttributes("versteckt", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    setAttributes("geheim.nc", FILE_ATTRIBUTE_HIDDEN);

    const auto entries = read();
    ASSERT_EQ(entries.size(), 3U);
    EXPECT_EQ(entries.at("sub").kind, FileEntry::Kind::Folder);
    EXPECT_EQ(entries.at("Änderung.nc").kind, FileEntry::Kind::File);
    EXPECT_EQ(entries.at("Änderung.nc").size, 3000U);
    EXPECT_EQ(entries.at("P1").size, 1U);
    EXPECT_TRUE(drovane::readDirectory(path() + "missing\\").empty());
}

// Noon in universal time is the same day in every zone.
TEST_F(DirectoryReading, TimesKeepTheirDate) {
    file("P1.nc", 1);
    const SYSTEMTIME noon{2024, 3, 6, 9, 12, 5, 0, 0};
    FILETIME written{};
    ASSERT_NE(SystemTimeToFileTime(&noon, &written), FALSE);
    {
        HANDLE handle = CreateFileW(at("P1.nc").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_NE(SetFileTime(handle, nullptr, nullptr, &written), FALSE);
        CloseHandle(handle);
    }
    const auto modified = read().at("P1.nc").modified;
    ASSERT_TRUE(modified.has_value());
    EXPECT_EQ(modified->year, 2024);
    EXPECT_EQ(modified->month, 3);
    EXPECT_EQ(modified->day, 9);
    EXPECT_EQ(modified->minute, 5);
}

} // namespace
