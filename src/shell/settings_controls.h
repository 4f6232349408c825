#pragma once

// The settings controls of the second tab as the profile table names them:
// their lists filled, a profile shown in them, and the profile they show.

#include "profiles/machine_profile.h"

#include <string>

namespace drovane {

class MainWindow;

inline constexpr int SettingsTab = 1;

// Appends every value list to its control and leaves each without selection.
void fillSettingsLists(MainWindow& window);

void showProfile(MainWindow& window, const MachineProfile& profile);

// What a save writes: each control's text, "" for a list without selection,
// and "Ja" or "Nein" for the check box.
MachineProfile profileOnScreen(const MainWindow& window, std::string name);

} // namespace drovane
