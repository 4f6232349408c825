#pragma once

// The window's whole life: common controls and COM made ready, the window
// built, handed to the caller to fill, shown, and run until it is closed.

#include "win32/win32_dialogs.h"
#include "win32/win32_main_window.h"
#include "win32/win32_window_view.h"

#include <functional>
#include <memory>
#include <windows.h>

namespace drovane {

// What the caller builds on the window: its commands, jobs and hand-over.
// It ends when the message loop has, before the window and its view do, so
// a job it stops may still report to the window.
class WindowContents {
public:
    WindowContents() = default;
    WindowContents(const WindowContents&) = delete;
    WindowContents& operator=(const WindowContents&) = delete;
    WindowContents(WindowContents&&) = delete;
    WindowContents& operator=(WindowContents&&) = delete;
    virtual ~WindowContents() = default;
};

// What the caller does between building and showing: fill the settings
// controls, point the file list, hook the hand-over. Null for nothing to keep.
using WindowReady = std::function<std::unique_ptr<WindowContents>(Win32MainWindow&,
                                                                  Win32WindowView&, Win32Dialogs&)>;

// The message loop's exit code; WindowNotOpened when the window could not be
// built (the start-up turns that into its fatal error).
inline constexpr int WindowNotOpened = -1;
int runMainWindow(HINSTANCE instance, int showCommand, bool boldFont, ControlEventSink sink,
                  const WindowReady& ready);

} // namespace drovane
