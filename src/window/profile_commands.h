#pragma once

// The machine profiles on the settings tab: filling it at start-up, loading
// and saving the profile, and choosing, adding and deleting machines.

#include "core/atomic_file.h"
#include "window/app_state.h"
#include "window/dialogs.h"
#include "window/file_browsing.h"
#include "window/window_view.h"

#include <string>
#include <string_view>

namespace drovane {

class SettingsFile;

class ProfileCommands {
public:
    ProfileCommands(AppState& state, WindowView& view, FileBrowsing& files, Dialogs& dialogs);

    // Start-up: fills the lists, lists the machines, selects and loads the
    // remembered one. Without a start file the file list shows the standard
    // folder.
    void initSettingsControls(bool hasStartFile);
    // The remembered machine's group into the controls; "Path" and "Pattern"
    // are read again too.
    void loadProfile();
    // The controls into the group of the selected machine. False, after
    // telling the operator, when the file could not be written.
    bool saveProfile(bool withSeparators);

    void chooseMachine();
    void addMachine();
    void deleteMachine();

    // Replaces the system write of the settings file, so that tests can make
    // the disk fail.
    void setWriteCall(WriteCall writeCall) { writeCall_ = writeCall; }

private:
    void open(SettingsFile& settings) const;
    void loadMachine(const std::string* chosen);
    void readPlaces(SettingsFile& settings);
    bool writeProfileTo(const std::string& name, bool withSeparators, std::string_view title);
    void selectMachineOfTab();
    bool nameTaken(std::string_view name);
    void makeSelectedCurrent();
    bool closeOrTell(SettingsFile& settings, std::string_view title);
    void appendMachine(const std::string& name);

    AppState& state_;
    WindowView& view_;
    FileBrowsing& files_;
    Dialogs& dialogs_;
    WriteCall writeCall_ = nullptr;
};

} // namespace drovane
