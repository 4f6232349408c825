#include "shell/command_dispatch.h"

#include "core/text.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/event_filters.h"
#include "shell/profile_messages.h"
#include "shell/program_commands.h"
#include "shell/qt_text.h"
#include "shell/settings_access.h"

#include <QComboBox>
#include <array>
#include <set>
#include <utility>

namespace drovane {
namespace {

enum class When { Always, NoJob, JobRuns };

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

CommandDispatch::CommandDispatch(AppState& state, MainWindow& window, Dialogs& dialogs,
                                 ProgramCommands& programs, Hooks hooks)
    : QObject(&window), state_(state), window_(window), dialogs_(dialogs), programs_(programs),
      profiles_(state, window, dialogs), hooks_(std::move(hooks)) {}

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

QWidget* CommandDispatch::controlNamed(std::string_view control) const {
    if (control == "StatusBar") {
        return window_.statusBar();
    }
    return window_.control(control);
}

void CommandDispatch::connectControls() {
    std::set<std::pair<std::string_view, Trigger>> wired;
    for (const Command& row : CommandTable::rows) {
        if (row.trigger == RightPress || !wired.emplace(row.control, row.trigger).second) {
            continue;
        }
        QWidget* widget = controlNamed(row.control);
        const auto fire = [this, control = row.control, trigger = row.trigger] {
            dispatch(control, trigger);
        };
        switch (row.trigger) {
        case Click:
            connect(qobject_cast<QPushButton*>(widget), &QPushButton::clicked, this, fire);
            break;
        case Edited:
            connect(qobject_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this, fire);
            break;
        case FocusGained:
            widget->installEventFilter(new FocusFilter(widget, fire, [] {}));
            break;
        case FocusLost:
            widget->installEventFilter(new FocusFilter(
                widget, [] {}, fire));
            break;
        case ListClicked:
            connect(window_.fileList(), &FileList::clicked, this, fire);
            break;
        case ListChanged:
            connect(window_.fileList(), &FileList::changed, this, fire);
            break;
        case ListOpened:
            connect(window_.fileList(), &FileList::fileOpened, this, fire);
            break;
        case HelpClick:
            connect(window_.statusBar(), &StatusBar::helpClicked, this, fire);
            break;
        case Picked:
            connect(qobject_cast<QComboBox*>(widget), &QComboBox::activated, this, fire);
            break;
        case RightPress:
            break;
        }
    }
}

void CommandDispatch::installButtonFilters() {
    for (const Command& row : CommandTable::rows) {
        if (row.trigger == RightPress) {
            QWidget* button = controlNamed(row.control);
            button->installEventFilter(new RightPressFilter(
                button, [this, control = row.control] { dispatch(control, RightPress); }));
        }
    }
}

void CommandDispatch::startTransfer() {
    state_.abortRequest.clear();
    if (hooks_.startTransfer) {
        hooks_.startTransfer(window_.mode());
    }
}

void CommandDispatch::requestAbort() {
    state_.abortRequest.raise();
}

void CommandDispatch::switchMode() {
    window_.switchMode(window_.mode() == Mode::Send ? Mode::Receive : Mode::Send);
}

void CommandDispatch::loadOrSave() {
    if (window_.fileButton()->text() == LoadCaption) {
        programs_.loadProgram();
        return;
    }
    programs_.checkSaveTarget();
    programs_.saveProgram();
}

void CommandDispatch::fileListTouched() {
    window_.directoryField()->setText(window_.fileList()->currentDirectory());
}

void CommandDispatch::fileListChanged() {
    fileListTouched();
    if (window_.mode() != Mode::Receive) {
        return;
    }
    const FileList& list = *window_.fileList();
    const int index = list.selectedIndex();
    if (index >= 0 && list.isFileEntry(index)) {
        window_.fileNameField()->setText(list.entryName(index));
    }
}

void CommandDispatch::fileListOpened() {
    fileListTouched();
    if (window_.mode() == Mode::Send) {
        programs_.loadProgram();
    }
}

void CommandDispatch::fileNameChanged() {
    FileList& list = *window_.fileList();
    list.pointAt(list.currentDirectory());
    list.pointAt(list.currentDirectory() + window_.fileNameField()->text());
}

void CommandDispatch::patternChanged() {
    FileList& list = *window_.fileList();
    list.pointAt(list.currentDirectory() + window_.patternField()->text());
}

void CommandDispatch::patternLeft() {
    storeTopLevelSetting(QStringLiteral("Pattern"), window_.patternField()->text());
    patternChanged();
}

// A lost setting is told like a lost profile: the operator would otherwise
// find the old folder or pattern at the next start without knowing why.
void CommandDispatch::storeTopLevelSetting(const QString& key, const QString& value) {
    if (!writeTopLevelSetting(state_.settingsPath, key, value)) {
        dialogs_.inform(SaveSettingsTitle, NotWrittenText + state_.settingsPath);
    }
}

void CommandDispatch::chooseStandardFolder() {
    const QString folder = dialogs_.chooseFolder(
        QStringLiteral("Bitte wählen sie das Standardverzeichnis für ihre NC-Dateien aus:"),
        QStringLiteral("/"));
    if (folder.isEmpty()) {
        return;
    }
    storeTopLevelSetting(QStringLiteral("Path"), folder);
    window_.fileList()->pointAt(folder);
    window_.directoryField()->setText(folder);
    state_.ncDirectory = folder;
}

void CommandDispatch::clearStatusLine() {
    window_.clearStatus();
}

void CommandDispatch::returnToStandardFolder() {
    const QString patternExtension =
        qStringFromLocalPath(extension(localPathBytes(window_.patternField()->text())));
    window_.fileList()->pointAt(state_.ncDirectory + QStringLiteral("*.") + patternExtension);
    window_.directoryField()->setText(state_.ncDirectory);
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
