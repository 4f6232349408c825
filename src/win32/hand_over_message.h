#pragma once

// The first instance's side of the hand-over: what a window procedure gets
// from the WM_COPYDATA a second start sends.

#include <optional>
#include <string>
#include <windows.h>

namespace drovane {

// The data up to its first NUL, never read beyond the size the message gives.
std::string handOverText(const COPYDATASTRUCT& data);

// The handed-over text (Windows-1252 bytes) for WM_COPYDATA, nothing for any
// other message. The window lets the message go on to its own handling.
std::optional<std::string> handOverFromMessage(UINT message, LPARAM lParam);

} // namespace drovane
