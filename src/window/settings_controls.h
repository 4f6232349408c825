#pragma once

// The settings controls of the second tab as the profile table names them:
// their lists filled, a profile shown in them, and the profile they show.

#include "profiles/machine_profile.h"
#include "window/tabs.h"
#include "window/window_view.h"

#include <span>
#include <string>
#include <vector>

namespace drovane {

// The port list: the fixed names, then each port the system has that is not
// among them (port names ignore letter case), in the system's order. Values
// from the settings file go in front when a profile is shown.
std::vector<std::string> portListEntries(std::vector<std::string> fixed,
                                         std::span<const std::string> present);

// Fills every value list and leaves each without selection.
void fillSettingsLists(WindowView& view);

void showProfile(WindowView& view, const MachineProfile& profile);

// What a save writes: each control's text, "" for a list without selection,
// and "Ja" or "Nein" for the check box. Values are Windows-1252.
MachineProfile profileOnScreen(const WindowView& view, std::string name);

} // namespace drovane
