#include "window/command_dispatch.h"

#include "core/text.h"
#include "profiles/profile_keys.h"
#include "window/folder_chooser_start.h"
#include "window/mode_switch.h"
#include "window/profile_messages.h"
#include "window/settings_access.h"

#include <algorithm>
#include <array>
#include <utility>

namespace drovane {
namespace {

enum class When : std::uint8_t { Always, NoJob, JobRuns };

struct Command {
    std::string_view control;
    Trigger trigger;
    When when;
    void (CommandDispatch::*action)();
};

} // namespace

// The command table. Rows are tried in order; the first whose condition
// holds acts.
namespace {
using enum Trigger;
using enum When;
using D = CommandDispatch;
} // namespace

class CommandTable {
public:
    static constexpr std::array rows{
        Command{"StartButton", Click, NoJob, &D::startTransfer},
        Command{"StartButton", Click, JobRuns, &D::requestAbort},
        Command{"DirectionButton", Click, NoJob, &D::switchMode},
        Command{"FileButton", Click, NoJob, &D::loadOrSave},
        Command{"FileList", ListClicked, NoJob, &D::fileListTouched},
        Command{"FileList", ListChanged, NoJob, &D::fileListChanged},
        Command{"FileList", ListOpened, NoJob, &D::fileListOpened},
        Command{"FileNameField", Edited, Always, &D::fileNameChanged},
        Command{"PatternField", Edited, Always, &D::patternChanged},
        Command{"PatternField", FocusGained, Always, &D::patternChanged},
        Command{"PatternField", FocusLost, Always, &D::patternLeft},
        Command{"DirectoryButton", Click, Always, &D::chooseStandardFolder},
        // Filters: they act at once and leave the button unpressed.
        Command{"DirectionButton", RightPress, Always, &D::clearStatusLine},
        Command{"DirectoryButton", RightPress, Always, &D::returnToStandardFolder},
        Command{"StatusBar", HelpClick, Always, &D::showHelp},
        Command{"SaveSettingsButton", Click, Always, &D::saveSettings},
        Command{"MachineCombo", Picked, Always, &D::chooseMachine},
        Command{"AddMachineButton", Click, Always, &D::addMachine},
        Command{"DeleteMachineButton", Click, Always, &D::deleteMachine},
    };
};

namespace {

constexpr bool firstOfItsEvent(std::size_t row) {
    const auto& rows = CommandTable::rows;
    for (std::size_t i = 0; i < row; ++i) {
        if (rows.at(i).control == rows.at(row).control &&
            rows.at(i).trigger == rows.at(row).trigger) {
            return false;
        }
    }
    return true;
}

constexpr std::size_t eventCount() {
    std::size_t count = 0;
    for (std::size_t i = 0; i < CommandTable::rows.size(); ++i) {
        count += firstOfItsEvent(i) ? 1 : 0;
    }
    return count;
}

constexpr auto events() {
    std::array<WiredEvent, eventCount()> events{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < CommandTable::rows.size(); ++i) {
        if (firstOfItsEvent(i)) {
            events.at(next++) = {CommandTable::rows.at(i).control,
                                 CommandTable::rows.at(i).trigger};
        }
    }
    return events;
}

constexpr auto WiredEvents = events();

} // namespace

std::span<const WiredEvent> wiredEvents() {
    return WiredEvents;
}

CommandDispatch::CommandDispatch(AppState& state, WindowView& view, FileBrowsing& files,
                                 Dialogs& dialogs, ProgramCommands& programs, Hooks hooks)
    : state_(state), view_(view), files_(files), dialogs_(dialogs), programs_(programs),
      profiles_(state, view, files, dialogs), hooks_(std::move(hooks)) {}

void CommandDispatch::dispatch(std::string_view control, Trigger trigger) {
    // Asked once: a command that starts a job must not also abort it.
    const bool jobRuns = state_.jobRuns();
    for (const Command& row : CommandTable::rows) {
        if (row.control != control || row.trigger != trigger) {
            continue;
        }
        if ((row.when == NoJob && jobRuns) || (row.when == JobRuns && !jobRuns)) {
            continue;
        }
        (this->*row.action)();
        return;
    }
}

void CommandDispatch::startTransfer() {
    state_.abortRequest.clear();
    if (hooks_.startTransfer) {
        hooks_.startTransfer(state_.mode);
    }
}

void CommandDispatch::sendFromLine(std::size_t line) {
    if (state_.jobRuns() || state_.mode != Mode::Send) {
        return;
    }
    state_.abortRequest.clear();
    if (hooks_.sendFromLine) {
        hooks_.sendFromLine(line);
    }
}

void CommandDispatch::requestAbort() {
    state_.abortRequest.raise();
}

void CommandDispatch::switchMode() {
    drovane::switchMode(state_, view_, state_.mode == Mode::Send ? Mode::Receive : Mode::Send);
}

void CommandDispatch::loadOrSave() {
    if (state_.mode == Mode::Send) {
        programs_.loadProgram();
        return;
    }
    programs_.checkSaveTarget();
    programs_.saveProgram();
}

void CommandDispatch::fileListTouched() {
    view_.setText("DirectoryField", files_.currentDirectory());
}

void CommandDispatch::fileListChanged() {
    fileListTouched();
    if (state_.mode != Mode::Receive) {
        return;
    }
    const int index = files_.selectedIndex();
    if (index >= 0 && files_.isFileEntry(index)) {
        view_.setText("FileNameField", files_.entryName(index));
    }
}

void CommandDispatch::fileListOpened() {
    fileListTouched();
    if (state_.mode == Mode::Send) {
        programs_.loadProgram();
    }
}

void CommandDispatch::fileNameChanged() {
    files_.pointAt(files_.currentDirectory());
    files_.pointAt(files_.currentDirectory() + view_.text("FileNameField"));
}

void CommandDispatch::patternChanged() {
    files_.pointAt(files_.currentDirectory() + view_.text("PatternField"));
}

void CommandDispatch::patternLeft() {
    storeTopLevelSetting(utf8FromWindows1252(PatternKey.key), view_.text("PatternField"));
    patternChanged();
}

// A lost setting is told like a lost profile: the operator would otherwise
// find the old folder or pattern at the next start without knowing why.
void CommandDispatch::storeTopLevelSetting(std::string_view key, std::string_view value) {
    if (!writeTopLevelSetting(state_.settingsPath, key, value)) {
        dialogs_.inform(SaveSettingsTitle, std::string(NotWrittenText) + state_.settingsPath);
    }
}

void CommandDispatch::chooseStandardFolder() {
    const std::string folder = dialogs_.chooseFolder(
        "Bitte wählen sie das Standardverzeichnis für ihre NC-Dateien aus:", folderChooserStart());
    if (folder.empty()) {
        return;
    }
    storeTopLevelSetting(utf8FromWindows1252(PathKey.key), folder);
    files_.pointAt(folder);
    view_.setText("DirectoryField", folder);
    state_.ncDirectory = folder;
}

void CommandDispatch::clearStatusLine() {
    view_.clearStatus();
}

void CommandDispatch::returnToStandardFolder() {
    files_.pointAt(state_.ncDirectory + "*." + extension(view_.text("PatternField")));
    view_.setText("DirectoryField", state_.ncDirectory);
}

// Every action shares one signature for the command table.
void CommandDispatch::showHelp() { // NOLINT(readability-make-member-function-const)
    if (hooks_.showHelp) {
        hooks_.showHelp();
    }
}

void CommandDispatch::saveSettings() {
    profiles_.saveProfile(false);
}

void CommandDispatch::chooseMachine() {
    profiles_.chooseMachine();
}

void CommandDispatch::addMachine() {
    profiles_.addMachine();
}

void CommandDispatch::deleteMachine() {
    profiles_.deleteMachine();
}

} // namespace drovane
