#pragma once

// The four columns of the file list, in order, with the titles the German
// desktop uses and the widths the window's layout is drawn for. Both front
// ends draw their headers from here.

#include <array>
#include <cstdint>
#include <string_view>

namespace drovane {

enum class ColumnAlignment : std::uint8_t { Left, Right };

struct FileListColumn {
    std::string_view title; // UTF-8
    int width = 0;
    ColumnAlignment alignment = ColumnAlignment::Left;
};

inline constexpr std::array<FileListColumn, 4> fileListColumns = {{
    {"Name", 331, ColumnAlignment::Left},
    {"Größe", 50, ColumnAlignment::Right},
    {"Typ", 60, ColumnAlignment::Left},
    {"Änderungsdatum", 119, ColumnAlignment::Left},
}};

} // namespace drovane
