#pragma once

#include <QString>
#include <QStringList>

namespace drovane {

// The drives view: "/" first, then every mount point below /media, /mnt or
// /run/media that carries a real file system (removable media, network
// shares, extra disks), each ending in "/", in name order and without
// repeats. Takes a text in the form of /proc/self/mounts.
QStringList drivesFromMounts(const QString& mountsText);

// The drives of this machine, from /proc/self/mounts; just "/" when it
// cannot be read.
QStringList mountedDrives();

} // namespace drovane
