#pragma once

// Text operations on an EDIT control that the control has no single message
// for: the status log's line operations.

#include <string>
#include <windows.h>

namespace drovane {

std::wstring editText(HWND edit);

// The log: a line after the last, the last line replaced. Both show the end.
void appendLine(HWND edit, const std::wstring& line);
void replaceLastLine(HWND edit, const std::wstring& line);

} // namespace drovane
