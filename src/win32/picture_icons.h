#pragma once

// The four embedded icons, loaded once from the program's resources.

#include "window/control_table.h"

#include <windows.h>

namespace drovane {

// Null for Picture::None, or when the executable carries no icons (a test).
// Shared icons: the system frees them with the program.
HICON pictureIcon(HINSTANCE instance, Picture picture);

} // namespace drovane
