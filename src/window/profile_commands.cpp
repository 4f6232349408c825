#include "window/profile_commands.h"

#include "core/text.h"
#include "profiles/machine_profile.h"
#include "profiles/profile_keys.h"
#include "profiles/settings_file.h"
#include "profiles/settings_text.h"
#include "window/list_selection.h"
#include "window/machine_name.h"
#include "window/profile_messages.h"
#include "window/settings_controls.h"
#include "window/shown_text.h"

#include <vector>

namespace drovane {
namespace {

constexpr std::string_view Machines = "MachineCombo";

std::string bytes(std::string_view shown) {
    return windows1252FromUtf8(shown);
}

std::string shown(std::string_view bytes) {
    return utf8FromWindows1252(bytes);
}

} // namespace

ProfileCommands::ProfileCommands(AppState& state, WindowView& view, FileBrowsing& files,
                                 Dialogs& dialogs)
    : state_(state), view_(view), files_(files), dialogs_(dialogs) {}

void ProfileCommands::open(SettingsFile& settings) const {
    settings.open(pathFromShown(state_.settingsPath));
}

void ProfileCommands::initSettingsControls(bool hasStartFile) {
    fillSettingsLists(view_);
    SettingsFile settings(writeCall_);
    open(settings);
    const std::string remembered = settings.readValue(MachineKey.key, MachineKey.defaultValue);
    readPlaces(settings);
    if (!hasStartFile) {
        files_.pointAt(state_.ncDirectory + view_.text("PatternField"));
        view_.setText("DirectoryField", files_.currentDirectory());
    }
    std::vector<std::string> machines;
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        machines.push_back(shown(settings.currentGroupName()));
    }
    view_.setItems(Machines, machines);
    view_.selectItem(Machines, -1);
    setListText(view_, Machines, shown(remembered));
    settings.close();
    loadProfile();
}

void ProfileCommands::loadProfile() {
    loadMachine(nullptr);
}

void ProfileCommands::loadMachine(const std::string* chosen) {
    SettingsFile settings(writeCall_);
    open(settings);
    const std::string name =
        chosen != nullptr ? *chosen : settings.readValue(MachineKey.key, MachineKey.defaultValue);
    readPlaces(settings);
    view_.setTabTitle(SettingsTab, shown(name));
    showProfile(view_, readProfile(settings, name));
    settings.close();
}

void ProfileCommands::readPlaces(SettingsFile& settings) {
    state_.ncDirectory =
        shown(settings.readValue(PathKey.key, bytes(shownFromPathText(defaultNcDirectory()))));
    view_.setText("PatternField",
                  shown(settings.readValue(PatternKey.key, PatternKey.defaultValue)));
}

bool ProfileCommands::saveProfile(bool withSeparators) {
    if (view_.selectedItem(Machines) < 0) {
        selectMachineOfTab();
    }
    return writeProfileTo(bytes(view_.text(Machines)), withSeparators, SaveSettingsTitle);
}

bool ProfileCommands::writeProfileTo(const std::string& name, bool withSeparators,
                                     std::string_view title) {
    SettingsFile settings(writeCall_);
    open(settings);
    writeProfile(settings, profileOnScreen(view_, name), withSeparators);
    return closeOrTell(settings, title);
}

void ProfileCommands::appendMachine(const std::string& name) {
    std::vector<std::string> machines = view_.items(Machines);
    machines.push_back(name);
    view_.setItems(Machines, machines);
    view_.selectItem(Machines, static_cast<int>(machines.size()) - 1);
}

// Nothing is selected when no group matched the remembered machine (a first
// start, say): the profile on screen is that machine's, so it is saved as its
// group rather than as loose keys in the top-level section.
void ProfileCommands::selectMachineOfTab() {
    const std::string name =
        storableMachineName(view_.tabTitle(SettingsTab)).value_or(shown(MachineKey.defaultValue));
    const std::vector<std::string> machines = view_.items(Machines);
    for (std::size_t i = 0; i < machines.size(); ++i) {
        if (sameName(bytes(machines[i]), bytes(name))) {
            view_.selectItem(Machines, static_cast<int>(i));
            return;
        }
    }
    appendMachine(name);
    view_.setTabTitle(SettingsTab, name);
}

void ProfileCommands::chooseMachine() {
    if (view_.selectedItem(Machines) >= 0) {
        makeSelectedCurrent();
    }
}

// The selection becomes the remembered machine and is loaded. The load takes
// the selected name itself, so that a file that kept the old name cannot put
// another machine's settings under the one shown.
void ProfileCommands::makeSelectedCurrent() {
    const std::string name = bytes(view_.text(Machines));
    SettingsFile settings(writeCall_);
    open(settings);
    settings.writeValue(MachineKey.key, name);
    closeOrTell(settings, ChooseMachineTitle);
    loadMachine(&name);
}

void ProfileCommands::addMachine() {
    const std::optional<std::string> answer =
        dialogs_.askText(AddMachineTitle, AddMachinePrompt, {});
    if (!answer || answer->empty()) {
        return;
    }
    const std::optional<std::string> name = storableMachineName(*answer);
    if (!name) {
        dialogs_.inform(AddMachineTitle, UnstorableNameText);
        return;
    }
    if (nameTaken(*name)) {
        dialogs_.inform(AddMachineTitle, DuplicateMachineText);
        return;
    }
    const std::vector<std::string> previousItems = view_.items(Machines);
    const int previous = view_.selectedItem(Machines);
    const std::string previousTitle = view_.tabTitle(SettingsTab);
    appendMachine(*name);
    view_.setTabTitle(SettingsTab, *name);
    if (!writeProfileTo(bytes(*name), true, AddMachineTitle)) {
        // A machine the file does not hold would vanish at the next start.
        view_.setItems(Machines, previousItems);
        view_.selectItem(Machines, previous);
        view_.setTabTitle(SettingsTab, previousTitle);
    }
}

bool ProfileCommands::nameTaken(std::string_view name) {
    const std::string wanted = bytes(name);
    SettingsFile settings(writeCall_);
    open(settings);
    bool taken = false;
    settings.beginGroupListing();
    while (!taken && settings.nextGroup()) {
        taken = sameName(settings.currentGroupName(), wanted);
    }
    settings.close();
    for (const std::string& machine : view_.items(Machines)) {
        taken = taken || sameName(bytes(machine), wanted);
    }
    return taken;
}

void ProfileCommands::deleteMachine() {
    std::vector<std::string> machines = view_.items(Machines);
    const int selected = view_.selectedItem(Machines);
    if (machines.size() == 1) {
        dialogs_.inform(DeleteMachineTitle, LastMachineText);
        return;
    }
    if (selected < 0) {
        dialogs_.inform(DeleteMachineTitle, NoMachineSelectedText);
        return;
    }
    if (!dialogs_.askYesNo(DeleteMachineTitle, DeleteQuestionText)) {
        return;
    }
    SettingsFile settings(writeCall_);
    open(settings);
    settings.removeGroup(bytes(machines[static_cast<std::size_t>(selected)]));
    if (!closeOrTell(settings, DeleteMachineTitle)) {
        return;
    }
    machines.erase(machines.begin() + selected);
    view_.setItems(Machines, machines);
    view_.selectItem(Machines, 0);
    makeSelectedCurrent();
}

bool ProfileCommands::closeOrTell(SettingsFile& settings, std::string_view title) {
    if (settings.close()) {
        return true;
    }
    dialogs_.inform(title, std::string(NotWrittenText) + state_.settingsPath);
    return false;
}

} // namespace drovane
