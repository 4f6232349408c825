#include "window/control_kind.h"

#include <algorithm>

namespace drovane {

std::optional<ControlKind> controlKindOf(std::string_view name) {
    const auto table = controlTable();
    const auto found =
        std::ranges::find_if(table, [name](const ControlSpec& spec) { return spec.name == name; });
    if (found == table.end()) {
        return std::nullopt;
    }
    return found->kind;
}

} // namespace drovane
