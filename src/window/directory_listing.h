#pragma once

// What the list shows for an existing directory: ".." first, then every
// folder, then the files matching the pattern, each group ordered by name
// regardless of letter case.

#include "window/file_entry.h"

#include <string>
#include <string_view>
#include <vector>

namespace drovane {

std::vector<FileEntry> listDirectory(const std::string& directory, std::string_view pattern);

// Orders by name regardless of letter case; names that differ in case only
// keep a fixed order.
void sortByName(std::vector<FileEntry>& entries);

} // namespace drovane
