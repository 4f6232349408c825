#pragma once

// A file written only where nothing stood before: it never replaces, never
// follows a link and leaves nothing behind when it fails.

#include "core/atomic_file.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace drovane {

enum class NewFileResult : std::uint8_t {
    Written,   // the bytes are on disk under `path`
    NameTaken, // something is there already; it was not touched
    Failed,    // the folder or the disk refused; no file is left
};

// `writeCall` lets tests fail the write.
NewFileResult writeNewFile(const std::filesystem::path& path, std::string_view bytes,
                           WriteCall writeCall = nullptr);

} // namespace drovane
