#include "window/drive_listing.h"

#include <gtest/gtest.h>

namespace {

TEST(DriveListing, ThisMachineShowsItsRootFirst) {
    const std::vector<drovane::FileEntry> drives = drovane::listDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().name, "/");
    for (const drovane::FileEntry& drive : drives) {
        EXPECT_EQ(drive.kind, drovane::FileEntry::Kind::Drive) << drive.name;
        EXPECT_EQ(drive.driveType, "Laufwerk") << drive.name;
        EXPECT_TRUE(drive.name.ends_with('/')) << drive.name;
    }
}

} // namespace
