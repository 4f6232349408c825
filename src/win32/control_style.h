#pragma once

// How each control of the control table is made with CreateWindowExW: its
// window class and styles, from its kind and options.

#include "window/control_table.h"

#include <windows.h>

namespace drovane {

struct ControlStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlStyle controlStyleFor(const ControlSpec& spec);

} // namespace drovane
