#pragma once

// TEMPORARY private copy of the file list's columns, until the toolkit-free
// window/file_list_columns.h is on main; then this file goes and its user
// includes that one.

#include <array>
#include <string_view>

namespace drovane::win32copy {

enum class ColumnAlignment { Left, Right };

struct FileListColumn {
    std::string_view title; // UTF-8
    int width = 0;
    ColumnAlignment alignment = ColumnAlignment::Left;
};

inline constexpr std::array<FileListColumn, 4> fileListColumns{{
    {"Name", 331, ColumnAlignment::Left},
    {"Größe", 50, ColumnAlignment::Right},
    {"Typ", 60, ColumnAlignment::Left},
    {"Änderungsdatum", 119, ColumnAlignment::Left},
}};

} // namespace drovane::win32copy
