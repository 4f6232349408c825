#pragma once

// The window's whole life: common controls and COM made ready, the window
// built, handed to the caller to fill, shown, and run until it is closed.

#include "win32/win32_main_window.h"
#include "window/dialogs.h"
#include "window/window_view.h"

#include <functional>
#include <windows.h>

namespace drovane {

// What the caller does between building and showing: fill the settings
// controls, point the file list, hook the hand-over.
using WindowReady = std::function<void(Win32MainWindow&, WindowView&, Dialogs&)>;

// The message loop's exit code; WindowNotOpened when the window could not be
// built (the start-up turns that into its fatal error).
inline constexpr int WindowNotOpened = -1;
int runMainWindow(HINSTANCE instance, int showCommand, bool boldFont, ControlEventSink sink,
                  const WindowReady& ready);

} // namespace drovane
