#pragma once

#include "shell/file_entry.h"

#include <QString>
#include <vector>

namespace drovane {

// What the list shows for an existing directory: ".." first, then every
// folder, then the files matching the pattern, each group ordered by name
// regardless of letter case. Hidden entries (leading ".") stay out, as in a
// Linux file manager.
std::vector<FileEntry> listDirectory(const QString& directory, const QString& pattern);

} // namespace drovane
