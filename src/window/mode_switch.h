#pragma once

// Send or receive: the direction button's picture, the file button's caption
// and an empty file name change together.

#include "window/app_state.h"
#include "window/window_view.h"

#include <string_view>

namespace drovane {

inline constexpr std::string_view LoadCaption = "Programm laden";
inline constexpr std::string_view SaveCaption = "Programm speichern";

void switchMode(AppState& state, WindowView& view, Mode mode);

} // namespace drovane
