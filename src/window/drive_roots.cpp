#include "window/drive_listing.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace drovane {
namespace {

// Kernel and memory file systems that are never a volume of their own.
constexpr std::array<std::string_view, 20> pseudoFileSystems = {
    "autofs", "binfmt_misc", "bpf",      "cgroup",     "cgroup2",   "configfs", "debugfs",
    "devpts", "devtmpfs",    "efivarfs", "fusectl",    "hugetlbfs", "mqueue",   "nsfs",
    "proc",   "pstore",      "ramfs",    "securityfs", "sysfs",     "tmpfs",
};

constexpr std::array<std::string_view, 3> volumePlaces = {"/media/", "/mnt/", "/run/media/"};

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The mounts table writes blank, tab, newline and backslash as "\ooo".
std::string unescapedMountPoint(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
                           isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3]);
        if (octal) {
            const int value =
                (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            text += static_cast<char>(value);
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

bool isVolume(std::string_view mountPoint, std::string_view fileSystem) {
    const bool real = std::find(pseudoFileSystems.begin(), pseudoFileSystems.end(), fileSystem) ==
                      pseudoFileSystems.end();
    const bool placed =
        std::any_of(volumePlaces.begin(), volumePlaces.end(), [&](std::string_view place) {
            return mountPoint.starts_with(place) && mountPoint.size() > place.size();
        });
    return real && placed;
}

} // namespace

std::vector<std::string> drivesFromMounts(std::string_view mountsText) {
    std::vector<std::string> volumes;
    std::istringstream lines{std::string(mountsText)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string device;
        std::string mountPoint;
        std::string fileSystem;
        if (!(fields >> device >> mountPoint >> fileSystem)) {
            continue;
        }
        std::string point = unescapedMountPoint(mountPoint);
        if (!point.ends_with('/')) {
            point += '/';
        }
        if (isVolume(point, fileSystem) &&
            std::find(volumes.begin(), volumes.end(), point) == volumes.end()) {
            volumes.push_back(std::move(point));
        }
    }
    std::sort(volumes.begin(), volumes.end());
    volumes.insert(volumes.begin(), "/");
    return volumes;
}

std::vector<std::string> drivesFromLetterMask(std::uint32_t mask) {
    std::vector<std::string> drives;
    for (unsigned letter = 0; letter < 26; ++letter) {
        if ((mask & (1U << letter)) != 0) {
            drives.push_back(std::string{static_cast<char>('A' + letter), ':', '\\'});
        }
    }
    return drives;
}

} // namespace drovane
