#pragma once

// Rows of UTF-8 cells as lines whose columns line up on a terminal.

#include <string>
#include <vector>

namespace drovane {

using TextRow = std::vector<std::string>;

// Cells padded to their column's widest, two blanks apart; no trailing blanks.
std::vector<std::string> alignColumns(const std::vector<TextRow>& rows);

} // namespace drovane
