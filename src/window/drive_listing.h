#pragma once

// The drives view of the file list.

#include "window/file_entry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

// Linux: "/" first, then every mount point below /media, /mnt or /run/media
// that carries a real file system (removable media, network shares, extra
// disks), each ending in "/", in name order and without repeats. Takes a
// text in the form of /proc/self/mounts.
std::vector<std::string> drivesFromMounts(std::string_view mountsText);

// Windows: the roots of the drives whose bits are set, bit 0 being A:,
// upper case and ending in "\".
std::vector<std::string> drivesFromLetterMask(std::uint32_t mask);

// The drives of this machine, with what the type column says of each.
// Never empty on Linux ("/" at least).
std::vector<FileEntry> listDrives();

} // namespace drovane
