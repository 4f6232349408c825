#pragma once

// One entry of the file list and the texts its four columns show.

#include "window/file_row_text.h"

#include <cstdint>
#include <optional>
#include <string>

namespace drovane {

// A time as the desktop's clock shows it.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

struct FileEntry {
    enum class Kind : std::uint8_t { Parent, Drive, Folder, File };

    Kind kind = Kind::File;
    std::string name; // UTF-8; a drive's root path
    std::uint64_t size = 0;
    std::optional<LocalTime> modified;
    std::string driveType; // what the type column says of a drive
};

// Kilobytes rounded up, as the size column shows them: 0 -> "0 KB",
// 1 -> "1 KB", 1024 -> "1 KB", 1025 -> "2 KB".
std::string kilobyteText(std::uint64_t bytes);

// The columns of a row; empty where a column says nothing about the entry.
std::string sizeColumnText(const FileEntry& entry);
std::string typeColumnText(const FileEntry& entry);
std::string dateColumnText(const FileEntry& entry);
FileRowText fileRowText(const FileEntry& entry);

} // namespace drovane
