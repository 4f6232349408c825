#pragma once

// The first instance's window: the settings beside the program, the window
// with its logic, and the start order from the start file to the hand-over.

#include <windows.h>

#include <string>

namespace drovane {

// `startParameter` in Windows-1252 bytes. False when the window could not
// be opened; otherwise true once it has been closed.
bool runWindow(HINSTANCE instance, int showCommand, const std::string& startParameter);

} // namespace drovane
