#include "shell/drive_listing.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

using drovane::drivesFromMounts;

TEST(DriveListing, RootThenRealVolumesBelowTheMountPlaces) {
    const QString mounts = "proc /proc proc rw 0 0\n"
                           "/dev/vda / ext4 rw 0 0\n"
                           "/dev/vdb /home ext4 rw 0 0\n"
                           "/dev/sdb1 /media/op/STICK vfat rw 0 0\n"
                           "//srv/nc /mnt/share cifs rw 0 0\n"
                           "/dev/sdc1 /run/media/op/DISK exfat rw 0 0\n"
                           "tmpfs /mnt/scratch tmpfs rw 0 0\n"
                           "/dev/sdd1 /mnt ext4 rw 0 0\n"
                           "/dev/sde1 /media ext4 rw 0 0\n";
    EXPECT_EQ(drivesFromMounts(mounts),
              (QStringList{"/", "/media/op/STICK/", "/mnt/share/", "/run/media/op/DISK/"}));
}

TEST(DriveListing, EscapedBlanksRepeatsAndBrokenLines) {
    const QString mounts = "/dev/sdb1 /media/op/MY\\040STICK vfat rw 0 0\n"
                           "/dev/sdb1 /media/op/MY\\040STICK vfat rw 0 0\n"
                           "/dev/sdc1 /media/a\\134b ext4 rw 0 0\n"
                           "garbage\n"
                           "\n"
                           "/dev/sdd1 /media/odd\\04 ext4 rw 0 0\n";
    EXPECT_EQ(drivesFromMounts(mounts),
              (QStringList{"/", "/media/a\\b/", "/media/odd\\04/", "/media/op/MY STICK/"}));
}

TEST(DriveListing, RootAloneWithoutMounts) {
    EXPECT_EQ(drivesFromMounts(""), QStringList{"/"});
    EXPECT_EQ(drovane::mountedDrives().value(0), "/");
}
