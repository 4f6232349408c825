#pragma once

// The status bar below the panel: version, a free field, and "Hilfe".

#include <string_view>
#include <windows.h>

namespace drovane {

inline constexpr int StatusFieldCount = 3;

// The three fields with their widths and first texts; null when refused.
HWND createStatusBar(HWND window, int id, HINSTANCE instance);
// Keeps the field's alignment; fields outside 0..2 are ignored.
void setStatusField(HWND bar, int field, std::string_view utf8);

} // namespace drovane
