#pragma once

// Text onto the system clipboard, as CF_UNICODETEXT.

#include <windows.h>

#include <string_view>

namespace drovane {

// False when the clipboard is held by another program or memory runs out.
bool putOnClipboard(HWND owner, std::wstring_view text);

} // namespace drovane
