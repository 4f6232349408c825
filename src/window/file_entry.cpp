#include "window/file_entry.h"

#include "window/unicode_case.h"

#include <array>
#include <cstdio>

namespace drovane {

std::string kilobyteText(std::uint64_t bytes) {
    const std::uint64_t kilobytes = bytes == 0 ? 0 : (bytes - 1) / 1024 + 1;
    return std::to_string(kilobytes) + " KB";
}

std::string sizeColumnText(const FileEntry& entry) {
    return entry.kind == FileEntry::Kind::File ? kilobyteText(entry.size) : std::string();
}

std::string typeColumnText(const FileEntry& entry) {
    switch (entry.kind) {
    case FileEntry::Kind::Parent:
        return {};
    case FileEntry::Kind::Drive:
        return entry.driveType;
    case FileEntry::Kind::Folder:
        return "Dateiordner";
    case FileEntry::Kind::File:
        break;
    }
    const auto dot = entry.name.rfind('.');
    if (dot == std::string::npos || dot + 1 == entry.name.size()) {
        return "Datei";
    }
    return upperCase(std::string_view(entry.name).substr(dot + 1)) + "-Datei";
}

std::string dateColumnText(const FileEntry& entry) {
    if (entry.kind == FileEntry::Kind::Parent || !entry.modified) {
        return {};
    }
    const LocalTime& time = *entry.modified;
    std::array<char, 64> text{};
    const int length = std::snprintf(text.data(), text.size(), "%02d.%02d.%04d %02d:%02d", time.day,
                                     time.month, time.year, time.hour, time.minute);
    return length > 0 ? std::string(text.data(), static_cast<std::size_t>(length)) : std::string();
}

FileRowText fileRowText(const FileEntry& entry) {
    return {entry.name, sizeColumnText(entry), typeColumnText(entry), dateColumnText(entry)};
}

} // namespace drovane
