#pragma once

// Writing a whole text through the write seam, on every platform.

#include "core/atomic_file.h"

#include <string_view>

namespace drovane {

// Writes every byte; false on an error or a write that makes no progress.
bool writeAll(OpenFile& file, std::string_view bytes, WriteCall writeCall);

} // namespace drovane
