#pragma once

// Every command of the program: which control, which event, whether it waits
// for a running job to end, and what it does.

#include "shell/main_window.h"
#include "shell/profile_commands.h"

#include <QObject>
#include <functional>
#include <utility>

namespace drovane {

struct AppState;
class Dialogs;
class ProgramCommands;

enum class Trigger {
    Click,
    RightPress,
    Edited,
    FocusGained,
    FocusLost,
    ListClicked,
    ListChanged,
    ListOpened,
    HelpClick,
    // A list entry picked by the user, never one set by the program.
    Picked,
};

class CommandDispatch : public QObject {
public:
    struct Hooks {
        // Starts the send or the receive job; the transfer layer plugs in here.
        std::function<void(Mode)> startTransfer;
        std::function<void()> showHelp;
    };

    CommandDispatch(AppState& state, MainWindow& window, Dialogs& dialogs,
                    ProgramCommands& programs, Hooks hooks);

    // Wires every row of the command table except the button filters.
    void connectControls();
    // The right-press commands of DirectionButton and DirectoryButton.
    void installButtonFilters();
    void setHelp(std::function<void()> showHelp) { hooks_.showHelp = std::move(showHelp); }
    ProfileCommands& profiles() { return profiles_; }
    // Runs the first row for this control and event whose job condition holds.
    void dispatch(std::string_view control, Trigger trigger);

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
    void storeTopLevelSetting(const QString& key, const QString& value);
    void clearStatusLine();
    void returnToStandardFolder();
    void showHelp();
    void saveSettings();
    void chooseMachine();
    void addMachine();
    void deleteMachine();

    QWidget* controlNamed(std::string_view control) const;

    AppState& state_;
    MainWindow& window_;
    Dialogs& dialogs_;
    ProgramCommands& programs_;
    ProfileCommands profiles_;
    Hooks hooks_;
};

} // namespace drovane
