#pragma once

// Makes one control of the control table in its container, at its place, with
// its first text, options, picture and font.

#include "window/control_table.h"

#include <windows.h>

namespace drovane {

struct ControlPlace {
    HWND container;
    int id;
    HFONT font;
    HINSTANCE instance;
};

// Null when the system refuses the control.
HWND createControl(const ControlSpec& spec, const ControlPlace& place);

} // namespace drovane
