#pragma once

// A second start may be named with a file relative to where its shell
// stands; the first instance stands elsewhere, so the path it gets must be
// whole.

#include <string>
#include <string_view>

namespace drovane {

// `parameter` (Windows-1252 bytes) made absolute against this process's
// current directory; empty stays empty, an absolute path as it stands.
std::string handOverPath(std::string_view parameter);

} // namespace drovane
