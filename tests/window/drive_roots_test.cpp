#include "window/drive_listing.h"

#include <gtest/gtest.h>

using drovane::drivesFromLetterMask;
using drovane::drivesFromMounts;
using Roots = std::vector<std::string>;

namespace {

TEST(DriveRoots, RootThenRealVolumesBelowTheMountPlaces) {
    const std::string mounts = "proc /proc proc rw 0 0\n"
                               "/dev/vda / ext4 rw 0 0\n"
                               "/dev/vdb /home ext4 rw 0 0\n"
                               "/dev/sdb1 /media/op/STICK vfat rw 0 0\n"
                               "//srv/nc /mnt/share cifs rw 0 0\n"
                               "/dev/sdc1 /run/media/op/DISK exfat rw 0 0\n"
                               "tmpfs /mnt/scratch tmpfs rw 0 0\n"
                               "/dev/sdd1 /mnt ext4 rw 0 0\n"
                               "/dev/sde1 /media ext4 rw 0 0\n";
    EXPECT_EQ(drivesFromMounts(mounts),
              (Roots{"/", "/media/op/STICK/", "/mnt/share/", "/run/media/op/DISK/"}));
}

TEST(DriveRoots, EscapedBlanksRepeatsAndBrokenLines) {
    const std::string mounts = "/dev/sdb1 /media/op/MY\\040STICK vfat rw 0 0\n"
                               "/dev/sdb1 /media/op/MY\\040STICK vfat rw 0 0\n"
                               "/dev/sdc1 /media/a\\134b ext4 rw 0 0\n"
                               "garbage\n"
                               "\n"
                               "/dev/sdd1 /media/odd\\04 ext4 rw 0 0\n"
                               "/dev/sdf1\t/media/tabbed\tvfat rw 0 0";
    EXPECT_EQ(drivesFromMounts(mounts), (Roots{"/", "/media/a\\b/", "/media/odd\\04/",
                                               "/media/op/MY STICK/", "/media/tabbed/"}));
    EXPECT_EQ(drivesFromMounts(""), Roots{"/"});
}

TEST(DriveRoots, LetterMaskGivesUpperCaseRootsInOrder) {
    EXPECT_EQ(drivesFromLetterMask(0), Roots{});
    EXPECT_EQ(drivesFromLetterMask(0b1101), (Roots{"A:\\", "C:\\", "D:\\"}));
    EXPECT_EQ(drivesFromLetterMask((1U << 25U) | (1U << 26U) | (1U << 31U)), Roots{"Z:\\"});
}

} // namespace
