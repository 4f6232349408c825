#pragma once

// What an open file is on Linux: a descriptor.

#include "core/atomic_file.h"
#include "core/unique_fd.h"

namespace drovane {

struct OpenFile {
    UniqueFd fd;
};

} // namespace drovane
