#pragma once

// The Windows program from its start to the end of its window, in the order
// the start-up needs: the fatal-error handler first, then the start
// parameter, then the single instance, then the window.

#include <functional>
#include <string>

namespace drovane {

// Opens the window for `startParameter` (Windows-1252 bytes) and runs it
// until it is closed; false when the window could not be opened.
using WindowRun = std::function<bool(std::string startParameter)>;

// A second start hands its parameter to the running instance and ends at
// once, without a window. A window that cannot be opened is fatal fault 7.
// The exit code is always 0.
int runProgram(const wchar_t* commandLine, const WindowRun& runWindow);

} // namespace drovane
