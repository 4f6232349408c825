#pragma once

// Replaces a file so that a reader, a crash or a full disk sees either the old
// bytes or the new ones, never a mixture or a torn file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace drovane {

// A file open for writing as the system holds it: a descriptor on Linux, a
// HANDLE on Windows. Only the system's own parts look inside.
struct OpenFile;

// The call that moves bytes into the file: how many it took, or a negative
// number on failure. Tests put a failing one in its place.
using WriteCall = std::ptrdiff_t (*)(OpenFile& file, std::string_view bytes);

// What the temporary file's name adds to the target's: "." and six letters.
// A target name must leave room for it.
inline constexpr std::size_t TemporarySuffixLength = 7;
// The system's write; an interrupted write is retried.
std::ptrdiff_t writeToFile(OpenFile& file, std::string_view bytes);

// Creates a new file in the folder of `target`, opens it into `file` and tells
// its name in `temporary`; false when the folder takes none. Tests put a
// failing one in its place.
using TemporaryCall = bool (*)(const std::filesystem::path& target, OpenFile& file,
                               std::filesystem::path& temporary);
bool createTemporaryFile(const std::filesystem::path& target, OpenFile& file,
                         std::filesystem::path& temporary);

// The file a write to `path` lands in: the target of a symbolic link, else
// `path` itself (also when nothing is there yet). None when a link dangles or
// something other than a regular file stands there (a device, a FIFO, a
// socket, a folder, a Windows device name such as NUL): those are never
// replaced.
std::optional<std::filesystem::path> replaceableTarget(const std::filesystem::path& path);

// Writes to a temporary file beside the target, flushes it to disk and moves
// it over the target. On Linux the replacement keeps an old file's permission
// bits, its group and (where allowed) its owner, and a folder that cannot take
// the temporary file gets its existing, writable file rewritten in place, with
// a backup copy of the old bytes; on Windows the replaced file's attributes
// and security carry over. False when anything failed; the old file is then
// whole and no temporary file is left.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         WriteCall writeCall = nullptr, TemporaryCall temporaryCall = nullptr);

} // namespace drovane
