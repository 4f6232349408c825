#pragma once

#include "window/control_table.h"

#include <optional>
#include <string_view>

namespace drovane {

// The kind of the control of that name in the control table; nullopt for none.
std::optional<ControlKind> controlKindOf(std::string_view name);

} // namespace drovane
