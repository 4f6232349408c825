#pragma once

// A file under a name nobody else holds, written so that no reader sees it
// half written: the name is claimed empty first, then replaced whole.

#include "core/atomic_file.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace drovane {

// "<stem><suffix>", else "<stem>-2<suffix>", "-3" ... in `folder`, which is
// created when missing. The path written, or nullopt.
std::optional<std::filesystem::path> writeUniqueFile(const std::filesystem::path& folder,
                                                     std::string_view stem, std::string_view suffix,
                                                     std::string_view bytes,
                                                     WriteCall writeCall = nullptr);

} // namespace drovane
