#pragma once

// The second start's side of the hand-over: its parameter goes to the window
// of the instance that already runs, as WM_COPYDATA.

#include <string_view>
#include <windows.h>

namespace drovane {

// A top-level window's title names the running instance: exactly "Drovane"
// once trailing blanks are stripped, case-sensitive.
bool isInstanceTitle(std::wstring_view title);

// The class of the main window. A message box above it has the same title;
// a hand-over sent there would be lost.
inline constexpr wchar_t MainWindowClass[] = L"DrovaneMainWindow";

enum class HandOverResult {
    Sent,
    NoWindow, // the first instance is still starting, or gone
    NotAnswered,
};

// Sends `parameter` (Windows-1252 bytes) and its NUL, tag 0, to the first
// top-level main window with the instance title that is not `ownWindow`; waits
// until that window has handled it. Sent even when the parameter is empty.
HandOverResult sendHandOver(std::string_view parameter, HWND ownWindow = nullptr);

} // namespace drovane
