#pragma once

// The window with its dialogs, program commands and command dispatch, wired
// together; the start-up and the tests build the same assembly.

#include "shell/command_dispatch.h"
#include "shell/main_window.h"
#include "shell/program_commands.h"

namespace drovane {

struct AppState;
class Dialogs;

class WindowSession {
public:
    WindowSession(AppState& state, Dialogs& dialogs, bool boldFont, CommandDispatch::Hooks hooks);

    MainWindow& window() { return window_; }
    ProgramCommands& programs() { return programs_; }
    CommandDispatch& dispatch() { return *dispatch_; }

    // Start-up with a file named on the command line.
    void openStartFile(const QString& path);
    // "Path", "Pattern" and the machine profiles of earlier runs; without a
    // start file the list shows the standard folder.
    void restoreSavedState(bool hasStartFile);

private:
    MainWindow window_;
    ProgramCommands programs_;
    CommandDispatch* dispatch_; // a child of the window
};

} // namespace drovane
