#pragma once

// Replaces a file so that a reader, a crash or a full disk sees either the old
// bytes or the new ones, never a mixture or a torn file.

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <sys/types.h>

namespace drovane {

// The system call that moves bytes; tests put a failing one in its place.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);

// Writes to a temporary file beside `path`, flushes it to disk and renames it
// over `path`, keeping an old file's permission bits. False when anything
// failed; the old file is then untouched and no temporary file is left.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         WriteCall writeCall = nullptr);

} // namespace drovane
