#pragma once

// Makes one control of the control table in its container, at its place, with
// its first text, options, picture and font.

#include "window/control_table.h"

#include <windows.h>

#include <span>

namespace drovane {

struct ControlPlace {
    HWND container;
    int id;
    HFONT font;
    HINSTANCE instance;
};

// Null when the system refuses the control.
HWND createControl(const ControlSpec& spec, const ControlPlace& place);

// Puts every frame below all its siblings. A child made later lies below
// those made before it, so a frame lowered as it is made would still cover
// the labels of its row made after it, and paint over them.
void lowerFrames(std::span<const ControlSpec> specs, std::span<const HWND> controls);

} // namespace drovane
