#pragma once

// What an open file is on Windows: a HANDLE.

#include "core/atomic_file.h"
#include "core/unique_handle_win32.h"

namespace drovane {

struct OpenFile {
    UniqueHandle handle;
};

} // namespace drovane
