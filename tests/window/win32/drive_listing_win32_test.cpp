#include "window/drive_listing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Wine gives every prefix a fixed drive C: (and the Linux root as Z:).
TEST(DriveListing, TheSystemDriveIsALocalDisk) {
    const std::vector<drovane::FileEntry> drives = drovane::listDrives();
    const auto system = std::find_if(drives.begin(), drives.end(),
                                     [](const auto& drive) { return drive.name == "C:\\"; });
    ASSERT_NE(system, drives.end());
    EXPECT_EQ(system->kind, drovane::FileEntry::Kind::Drive);
    EXPECT_EQ(system->driveType, "Lokaler Datenträger");
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end(),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));
}

} // namespace
