#pragma once

// The window logic behind the Windows window: the file list, the program
// and profile commands, the jobs with their console, and the hand-over
// inbox, wired to the window's controls.

#include "win32/directory_watch.h"
#include "win32/gui_timer.h"
#include "win32/run_main_window.h"
#include "win32/win32_hand_over_inbox.h"
#include "win32/win32_job_console.h"
#include "window/command_dispatch.h"
#include "window/file_browser.h"
#include "window/file_list_presenter.h"
#include "window/program_commands.h"
#include "window/transfer_runner.h"

#include <functional>
#include <string>
#include <string_view>

namespace drovane {

struct AppState;

class Win32Session final : public WindowContents {
public:
    Win32Session(AppState& state, Win32MainWindow& window, WindowView& view, Dialogs& dialogs,
                 std::function<void()> showHelp);

    // What the operator did to a control, as the window reports it.
    void report(std::string_view control, Trigger trigger);

    // UTF-8; a shell names it relative to where it stands.
    void openStartFile(const std::string& path);
    // "Path", "Pattern" and the machine profiles of earlier runs; without a
    // start file the list shows the standard folder.
    void restoreSavedState(bool hasStartFile);
    // From now on the window takes the files later starts hand over.
    void receiveHandOvers();

private:
    void dispatch(std::string_view control, Trigger trigger);
    // The program changes the controls a job reads again without the
    // window reporting it; they are copied after anything that may do so.
    void refreshLiveControls();
    void watchShownDirectory();
    void rereadChangedDirectory();

    Win32MainWindow& window_;
    WindowView& view_;
    FileBrowser browser_;
    FileListPresenter presenter_;
    ProgramCommands programs_;
    CommandDispatch dispatch_;
    Win32JobConsole console_;
    TransferRunner runner_; // its end awaits the job, whose reports need the console
    Win32HandOverInbox inbox_;
    GuiTimer diskChangeDelay_;
    DirectoryWatch directoryWatch_; // its thread posts to the window; it ends first
};

} // namespace drovane
