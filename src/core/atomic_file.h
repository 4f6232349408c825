#pragma once

// Replaces a file so that a reader, a crash or a full disk sees either the old
// bytes or the new ones, never a mixture or a torn file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/types.h>

namespace drovane {

// The system call that moves bytes; tests put a failing one in its place.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
// Creates a new file from a name ending in "XXXXXX", as mkostemp does; tests
// put a failing one in its place.
using TemporaryCall = int (*)(char* pattern, int flags);

// The file a write to `path` lands in: the target of a symbolic link, else
// `path` itself (also when nothing is there yet). None when a link dangles or
// something other than a regular file stands there (a device, a FIFO, a
// socket, a folder): those are never replaced.
std::optional<std::filesystem::path> replaceableTarget(const std::filesystem::path& path);

// Writes to a temporary file beside the target, flushes it to disk and renames
// it over the target, keeping an old file's permission bits, its group and
// (where allowed) its owner. A folder that cannot take the temporary file gets
// its existing, writable file rewritten in place instead, with a backup copy
// of the old bytes. False when anything failed; the old file is then whole and
// no temporary file is left.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         WriteCall writeCall = nullptr, TemporaryCall temporaryCall = nullptr);

} // namespace drovane
