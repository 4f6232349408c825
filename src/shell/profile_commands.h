#pragma once

// The machine profiles on the settings tab: filling it at start-up, loading
// and saving the profile, and choosing, adding and deleting machines.

#include "core/atomic_file.h"

#include <QString>
#include <string>

class QComboBox;

namespace drovane {

struct AppState;
class Dialogs;
class MainWindow;
class SettingsFile;

class ProfileCommands {
public:
    ProfileCommands(AppState& state, MainWindow& window, Dialogs& dialogs);

    // Start-up: fills the lists, lists the machines, selects and loads the
    // remembered one. Without a start file FileList shows the standard folder.
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
    QComboBox& machineList() const;
    void loadMachine(const std::string* chosen);
    void readPlaces(SettingsFile& settings);
    bool writeProfileTo(const std::string& name, bool withSeparators, const QString& title);
    void selectMachineOfTab();
    bool nameTaken(const QString& name);
    void makeSelectedCurrent();
    bool closeOrTell(SettingsFile& settings, const QString& title);

    AppState& state_;
    MainWindow& window_;
    Dialogs& dialogs_;
    WriteCall writeCall_ = nullptr;
};

} // namespace drovane
