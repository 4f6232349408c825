#include "window/directory_reading.h"

#include "../browser_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>

using drovane::FileEntry;
using drovane::LocalTime;

namespace {

// A zone with summer time, written out so no time-zone database is needed.
class GermanClock {
public:
    GermanClock() {
        if (const char* zone = std::getenv("TZ")) {
            m_saved = zone;
        }
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    ~GermanClock() {
        if (m_saved) {
            setenv("TZ", m_saved->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    GermanClock(const GermanClock&) = delete;
    GermanClock& operator=(const GermanClock&) = delete;

private:
    std::optional<std::string> m_saved;
};

void setModified(const std::filesystem::path& path, std::time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

class DirectoryReading : public drovane::fixtures::BrowserFolder {
protected:
    std::map<std::string, FileEntry> read() const {
        std::map<std::string, FileEntry> byName;
        for (FileEntry& entry : drovane::readDirectory(path())) {
            EXPECT_TRUE(byName.emplace(entry.name, entry).second) << entry.name;
        }
        return byName;
    }
};

TEST_F(DirectoryReading, OnlyVisibleFoldersAndRegularFiles) {
    folder("sub");
    folder(".cache");
    file("P1.nc", 3000);
    file(".hidden.nc", 1);
    ASSERT_EQ(mkfifo(at("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(at("gone"), at("broken.nc"));
    std::filesystem::create_directory_symlink(at("sub"), at("linked"));
    std::filesystem::create_symlink(at("P1.nc"), at("alias.nc"));

    const auto entries = read();
    ASSERT_EQ(entries.size(), 4U);
    EXPECT_EQ(entries.at("sub").kind, FileEntry::Kind::Folder);
    EXPECT_EQ(entries.at("linked").kind, FileEntry::Kind::Folder);
    EXPECT_EQ(entries.at("P1.nc").kind, FileEntry::Kind::File);
    EXPECT_EQ(entries.at("P1.nc").size, 3000U);
    EXPECT_EQ(entries.at("alias.nc").size, 3000U) << "a link shows what it points at";
    EXPECT_TRUE(drovane::readDirectory(path() + "missing/").empty());
}

TEST_F(DirectoryReading, TimesAreLocalWithSummerTime) {
    const GermanClock clock;
    file("winter.nc", 1);
    file("summer.nc", 1);
    folder("sub");
    setModified(at("winter.nc"), 1709982300); // 2024-03-09 11:05 UTC
    setModified(at("summer.nc"), 1719828000); // 2024-07-01 10:00 UTC
    setModified(at("sub"), 0);

    const auto entries = read();
    EXPECT_EQ(entries.at("winter.nc").modified, (LocalTime{2024, 3, 9, 12, 5}));
    EXPECT_EQ(entries.at("summer.nc").modified, (LocalTime{2024, 7, 1, 12, 0}));
    EXPECT_EQ(entries.at("sub").modified, (LocalTime{1970, 1, 1, 1, 0}));
}

} // namespace
