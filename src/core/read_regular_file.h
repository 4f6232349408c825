#pragma once

// Reading a whole file that may be anything the operator typed: only a regular
// file is opened at all. A FIFO would block the open, a device the read (or
// never end), and a serial port would see its lines raised by the open.

#include <filesystem>
#include <optional>
#include <string>

namespace drovane {

// The file's bytes, also when it grows while being read; none when it is
// missing, unreadable or no regular file (a folder, a FIFO, a device, a
// Windows device name such as COM1 or NUL.txt). It never waits for a writer.
std::optional<std::string> readRegularFile(const std::filesystem::path& path);

} // namespace drovane
