#pragma once

// The pieces of a safe file write that the atomic replacement and the in-place
// rewrite share.

#include "core/atomic_file.h"

#include <string>
#include <string_view>

namespace drovane {

// Writes every byte, retrying after interruptions; false on an error or a
// write that makes no progress.
bool writeAll(int fd, std::string_view bytes, WriteCall writeCall);

// Reads from the descriptor's position to the end.
bool readAll(int fd, std::string& bytes);

// A fresh file named `pattern` with its "XXXXXX" replaced, opened for reading
// and writing; the mode is 0666 less the umask, as for any new file. -1 and
// errno on failure.
int createTemporaryFile(char* pattern, int flags);

// Rewrites the regular file `target` through its own descriptor, for a folder
// that cannot take a temporary file. False when anything failed; the old bytes
// are then back in place.
bool rewriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                    WriteCall writeCall);

} // namespace drovane
