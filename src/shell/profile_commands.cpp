#include "shell/profile_commands.h"

#include "profiles/machine_profile.h"
#include "profiles/settings_text.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/list_selection.h"
#include "shell/machine_name.h"
#include "shell/main_window.h"
#include "shell/profile_messages.h"
#include "shell/qt_text.h"
#include "shell/settings_controls.h"

#include <QComboBox>

namespace drovane {
namespace {

std::string bytes(const QString& text) {
    return windows1252FromQString(text);
}

QString text(std::string_view bytes) {
    return qStringFromWindows1252(bytes);
}

} // namespace

ProfileCommands::ProfileCommands(AppState& state, MainWindow& window, Dialogs& dialogs)
    : state_(state), window_(window), dialogs_(dialogs) {}

QComboBox& ProfileCommands::machineList() const {
    return *window_.controlAs<QComboBox>("MachineCombo");
}

void ProfileCommands::initSettingsControls(bool hasStartFile) {
    fillSettingsLists(window_);
    SettingsFile settings(writeCall_);
    settings.open(localPathBytes(state_.settingsPath));
    const std::string remembered = settings.readValue(MachineKey.key, MachineKey.defaultValue);
    readPlaces(settings);
    if (!hasStartFile) {
        FileList& list = *window_.fileList();
        list.pointAt(state_.ncDirectory + window_.patternField()->text());
        window_.directoryField()->setText(list.currentDirectory());
    }
    QComboBox& machines = machineList();
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        machines.addItem(text(settings.currentGroupName()));
    }
    machines.setCurrentIndex(-1);
    setListText(machines, text(remembered));
    settings.close();
    loadProfile();
}

void ProfileCommands::loadProfile() {
    loadMachine(nullptr);
}

void ProfileCommands::loadMachine(const std::string* chosen) {
    SettingsFile settings(writeCall_);
    settings.open(localPathBytes(state_.settingsPath));
    const std::string name =
        chosen != nullptr ? *chosen : settings.readValue(MachineKey.key, MachineKey.defaultValue);
    readPlaces(settings);
    window_.mainPanel()->setTabText(SettingsTab, text(name));
    showProfile(window_, readProfile(settings, name));
    settings.close();
}

void ProfileCommands::readPlaces(SettingsFile& settings) {
    state_.ncDirectory =
        text(settings.readValue(PathKey.key, bytes(qStringFromLocalPath(defaultNcDirectory()))));
    window_.patternField()->setText(
        text(settings.readValue(PatternKey.key, PatternKey.defaultValue)));
}

bool ProfileCommands::saveProfile(bool withSeparators) {
    if (machineList().currentIndex() < 0) {
        selectMachineOfTab();
    }
    return writeProfileTo(bytes(machineList().currentText()), withSeparators, SaveSettingsTitle);
}

bool ProfileCommands::writeProfileTo(const std::string& name, bool withSeparators,
                                     const QString& title) {
    SettingsFile settings(writeCall_);
    settings.open(localPathBytes(state_.settingsPath));
    writeProfile(settings, profileOnScreen(window_, name), withSeparators);
    return closeOrTell(settings, title);
}

// Nothing is selected when no group matched the remembered machine (a first
// start, say): the profile on screen is that machine's, so it is saved as its
// group rather than as loose keys in the top-level section.
void ProfileCommands::selectMachineOfTab() {
    QComboBox& machines = machineList();
    const QString name = storableMachineName(window_.mainPanel()->tabText(SettingsTab))
                             .value_or(text(MachineKey.defaultValue));
    for (int i = 0; i < machines.count(); ++i) {
        if (sameName(bytes(machines.itemText(i)), bytes(name))) {
            machines.setCurrentIndex(i);
            return;
        }
    }
    machines.addItem(name);
    machines.setCurrentIndex(machines.count() - 1);
    window_.mainPanel()->setTabText(SettingsTab, name);
}

void ProfileCommands::chooseMachine() {
    if (machineList().currentIndex() >= 0) {
        makeSelectedCurrent();
    }
}

// The selection becomes the remembered machine and is loaded. The load takes
// the selected name itself, so that a file that kept the old name cannot put
// another machine's settings under the one shown.
void ProfileCommands::makeSelectedCurrent() {
    const std::string name = bytes(machineList().currentText());
    SettingsFile settings(writeCall_);
    settings.open(localPathBytes(state_.settingsPath));
    settings.writeValue(MachineKey.key, name);
    closeOrTell(settings, ChooseMachineTitle);
    loadMachine(&name);
}

void ProfileCommands::addMachine() {
    const std::optional<QString> answer = dialogs_.askText(AddMachineTitle, AddMachinePrompt, {});
    if (!answer || answer->isEmpty()) {
        return;
    }
    const std::optional<QString> name = storableMachineName(*answer);
    if (!name) {
        dialogs_.inform(AddMachineTitle, UnstorableNameText);
        return;
    }
    if (nameTaken(*name)) {
        dialogs_.inform(AddMachineTitle, DuplicateMachineText);
        return;
    }
    QComboBox& machines = machineList();
    const int previous = machines.currentIndex();
    const QString previousTitle = window_.mainPanel()->tabText(SettingsTab);
    machines.addItem(*name);
    machines.setCurrentIndex(machines.count() - 1);
    window_.mainPanel()->setTabText(SettingsTab, *name);
    if (!writeProfileTo(bytes(*name), true, AddMachineTitle)) {
        // A machine the file does not hold would vanish at the next start.
        machines.removeItem(machines.count() - 1);
        machines.setCurrentIndex(previous);
        window_.mainPanel()->setTabText(SettingsTab, previousTitle);
    }
}

bool ProfileCommands::nameTaken(const QString& name) {
    const std::string wanted = bytes(name);
    SettingsFile settings(writeCall_);
    settings.open(localPathBytes(state_.settingsPath));
    bool taken = false;
    settings.beginGroupListing();
    while (!taken && settings.nextGroup()) {
        taken = sameName(settings.currentGroupName(), wanted);
    }
    settings.close();
    const QComboBox& machines = machineList();
    for (int i = 0; !taken && i < machines.count(); ++i) {
        taken = sameName(bytes(machines.itemText(i)), wanted);
    }
    return taken;
}

void ProfileCommands::deleteMachine() {
    QComboBox& machines = machineList();
    if (machines.count() == 1) {
        dialogs_.inform(DeleteMachineTitle, LastMachineText);
        return;
    }
    if (machines.currentIndex() < 0) {
        dialogs_.inform(DeleteMachineTitle, NoMachineSelectedText);
        return;
    }
    if (!dialogs_.askYesNo(DeleteMachineTitle, DeleteQuestionText)) {
        return;
    }
    SettingsFile settings(writeCall_);
    settings.open(localPathBytes(state_.settingsPath));
    settings.removeGroup(bytes(machines.currentText()));
    if (!closeOrTell(settings, DeleteMachineTitle)) {
        return;
    }
    machines.removeItem(machines.currentIndex());
    machines.setCurrentIndex(0);
    makeSelectedCurrent();
}

bool ProfileCommands::closeOrTell(SettingsFile& settings, const QString& title) {
    if (settings.close()) {
        return true;
    }
    dialogs_.inform(title, NotWrittenText + state_.settingsPath);
    return false;
}

} // namespace drovane
