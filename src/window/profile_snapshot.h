#pragma once

// A profile as the window's settings controls would show it after loading it
// at start-up, which is what a job reads: a fixed list shows the entry equal
// to the stored text regardless of letter case, or nothing; the port and the
// buffer lists take any stored text; fields show the text unchanged.

#include "profiles/machine_profile.h"
#include "transfer/settings_snapshot.h"

#include <string>

namespace drovane {

// `fileName` is what FileNameField would hold (Windows-1252).
SettingsSnapshot snapshotFromProfile(const MachineProfile& profile, std::string fileName);

} // namespace drovane
