#pragma once

// The Linux pieces of a safe file write that the atomic replacement and the
// in-place rewrite share.

#include "core/atomic_file.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

// Reads from the descriptor's position to the end.
bool readAll(int fd, std::string& bytes);

// Rewrites the regular file `target` through its own descriptor, for a folder
// that cannot take a temporary file. False when anything failed; the old bytes
// are then back in place.
bool rewriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                    WriteCall writeCall);

} // namespace drovane
