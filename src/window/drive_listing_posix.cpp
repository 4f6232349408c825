#include "window/drive_listing.h"

#include <fstream>
#include <iterator>

namespace drovane {

std::vector<FileEntry> listDrives() {
    std::ifstream mounts("/proc/self/mounts", std::ios::binary);
    // procfs reports size 0, so read to the end instead of by size.
    const std::string text{std::istreambuf_iterator<char>(mounts), {}};
    std::vector<FileEntry> drives;
    for (std::string& root : drivesFromMounts(text)) {
        drives.push_back({FileEntry::Kind::Drive, std::move(root), 0, std::nullopt, "Laufwerk"});
    }
    return drives;
}

} // namespace drovane
