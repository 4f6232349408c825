#pragma once

// The folders and files of one directory as this platform's file system
// holds them, in no order and without what a file manager hides (names
// starting with "." on Linux, entries marked hidden on Windows). Folders
// include links to folders; anything that is neither a folder nor a regular
// file (devices, sockets, broken links) stays out. Empty when the directory
// cannot be read.

#include "window/file_entry.h"

#include <string>
#include <vector>

namespace drovane {

std::vector<FileEntry> readDirectory(const std::string& directory);

} // namespace drovane
