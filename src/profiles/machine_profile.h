#pragma once

// A machine's settings as the group of the settings file named after it.

#include "profiles/profile_keys.h"
#include "profiles/settings_file.h"

#include <array>
#include <string>
#include <string_view>

namespace drovane {

struct MachineProfile {
    std::string name;
    // Texts as stored, in the order of ProfileKeys.
    std::array<std::string, ProfileKeyCount> values;

    bool operator==(const MachineProfile&) const = default;
};

MachineProfile defaultProfile(std::string_view name);

// Reads the group `name` of an open settings file; keys it lacks, or a missing
// group, give their defaults. The group stays selected.
MachineProfile readProfile(SettingsFile& settings, std::string_view name);

// Writes all 26 keys into the group of the profile's name, creating it at the
// end of the file when missing. Keys already there keep their place. A new
// machine's group is framed by two separator comments.
void writeProfile(SettingsFile& settings, const MachineProfile& profile, bool withSeparators);

} // namespace drovane
