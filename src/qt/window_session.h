#pragma once

// The window with its view, file list adapter, program commands and command
// dispatch, wired together; the start-up and the tests build the same
// assembly.

#include "qt/main_window.h"
#include "qt/qt_file_browsing.h"
#include "qt/qt_window_view.h"
#include "window/command_dispatch.h"
#include "window/program_commands.h"

#include <QObject>
#include <memory>
#include <string>

namespace drovane {

struct AppState;
class Dialogs;

class WindowSession {
public:
    WindowSession(AppState& state, Dialogs& dialogs, bool boldFont, CommandDispatch::Hooks hooks);
    // The widgets go first: their filters may still report while they end.
    ~WindowSession() { window_.reset(); }
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;
    WindowSession(WindowSession&&) = delete;
    WindowSession& operator=(WindowSession&&) = delete;

    AppState& state() { return state_; }
    MainWindow& window() { return *window_; }
    QtWindowView& view() { return view_; }
    ProgramCommands& programs() { return programs_; }
    CommandDispatch& dispatch() { return dispatch_; }

    // Start-up with a file named on the command line.
    void openStartFile(const std::string& path);
    // "Path", "Pattern" and the machine profiles of earlier runs; without a
    // start file the list shows the standard folder.
    void restoreSavedState(bool hasStartFile);
    void switchMode(Mode mode);
    void installButtonFilters();

private:
    AppState& state_;
    std::unique_ptr<MainWindow> window_;
    QtWindowView view_;
    QtFileBrowsing files_;
    ProgramCommands programs_;
    CommandDispatch dispatch_;
    QObject wiring_; // the connections end with the session
};

} // namespace drovane
