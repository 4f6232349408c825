#pragma once

// Where the folder chooser opens: always the same place, never the folder in
// force, so an operator who got lost starts again from the top.

#include <string_view>

namespace drovane {

std::string_view folderChooserStart();

} // namespace drovane
