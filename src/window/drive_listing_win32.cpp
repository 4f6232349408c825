#include "window/drive_listing.h"

#include "window/utf8_path.h"

#include <array>
#include <windows.h>

namespace drovane {
namespace {

// By GetDriveTypeW's answer, as Explorer names them.
constexpr std::array<std::string_view, 7> driveTypeNames = {
    "Laufwerk",            // DRIVE_UNKNOWN
    "Laufwerk",            // DRIVE_NO_ROOT_DIR
    "Wechseldatenträger",  // DRIVE_REMOVABLE
    "Lokaler Datenträger", // DRIVE_FIXED
    "Netzlaufwerk",        // DRIVE_REMOTE
    "CD-Laufwerk",         // DRIVE_CDROM
    "RAM-Datenträger",     // DRIVE_RAMDISK
};

std::string driveTypeName(const std::string& root) {
    const UINT type = GetDriveTypeW(pathFromUtf8(root).c_str());
    return std::string(type < driveTypeNames.size() ? driveTypeNames[type] : driveTypeNames[0]);
}

} // namespace

std::vector<FileEntry> listDrives() {
    std::vector<FileEntry> drives;
    for (std::string& root : drivesFromLetterMask(GetLogicalDrives())) {
        std::string type = driveTypeName(root);
        drives.push_back(
            {FileEntry::Kind::Drive, std::move(root), 0, std::nullopt, std::move(type)});
    }
    return drives;
}

} // namespace drovane
