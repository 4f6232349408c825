#pragma once

// Every command of the program: which control, which event, whether it waits
// for a running job to end, and what it does. Front ends report the events
// of wiredEvents() through dispatch().

#include "window/app_state.h"
#include "window/dialogs.h"
#include "window/file_browsing.h"
#include "window/profile_commands.h"
#include "window/program_commands.h"
#include "window/window_view.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

namespace drovane {

// An event a front end must report for a control.
struct WiredEvent {
    std::string_view control;
    Trigger trigger;
};

// Each (control, trigger) pair of the command table once, in table order.
std::span<const WiredEvent> wiredEvents();

class CommandDispatch {
public:
    struct Hooks {
        // Starts the send or the receive job; the transfer layer plugs in here.
        std::function<void(Mode)> startTransfer;
        std::function<void()> showHelp;
        // Starts a send of the head and the program from this line (from 1).
        std::function<void(std::size_t)> sendFromLine;
    };

    CommandDispatch(AppState& state, WindowView& view, FileBrowsing& files, Dialogs& dialogs,
                    ProgramCommands& programs, Hooks hooks);

    void setStartTransfer(std::function<void(Mode)> start) {
        hooks_.startTransfer = std::move(start);
    }
    void setSendFromLine(std::function<void(std::size_t)> send) {
        hooks_.sendFromLine = std::move(send);
    }
    void setHelp(std::function<void()> showHelp) { hooks_.showHelp = std::move(showHelp); }
    ProfileCommands& profiles() { return profiles_; }
    // Runs the first row for this control and event whose job condition holds.
    void dispatch(std::string_view control, Trigger trigger);
    // "Ab hier senden" on a line of the program editor: only in send mode and
    // while no job runs, as the start button.
    void sendFromLine(std::size_t line);

private:
    friend class CommandTable;

    void startTransfer();
    void requestAbort();
    void switchMode();
    void loadOrSave();
    void fileListTouched();
    void fileListChanged();
    void fileListOpened();
    void fileNameChanged();
    void patternChanged();
    void patternLeft();
    void chooseStandardFolder();
    void storeTopLevelSetting(std::string_view key, std::string_view value);
    void clearStatusLine();
    void returnToStandardFolder();
    void showHelp();
    void saveSettings();
    void chooseMachine();
    void addMachine();
    void deleteMachine();

    AppState& state_;
    WindowView& view_;
    FileBrowsing& files_;
    Dialogs& dialogs_;
    ProgramCommands& programs_;
    ProfileCommands profiles_;
    Hooks hooks_;
};

} // namespace drovane
