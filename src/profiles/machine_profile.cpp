#include "profiles/machine_profile.h"

namespace drovane {

MachineProfile defaultProfile(std::string_view name) {
    MachineProfile profile{std::string(name), {}};
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        profile.values[i] = ProfileKeys[i].defaultValue;
    }
    return profile;
}

MachineProfile readProfile(SettingsFile& settings, std::string_view name) {
    MachineProfile profile{std::string(name), {}};
    settings.selectGroup(name);
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        profile.values[i] = settings.readValue(ProfileKeys[i].key, ProfileKeys[i].defaultValue);
    }
    return profile;
}

void writeProfile(SettingsFile& settings, const MachineProfile& profile, bool withSeparators) {
    settings.selectGroup(profile.name);
    if (withSeparators) {
        settings.addComment(ProfileSeparator);
    }
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        settings.writeValue(ProfileKeys[i].key, profile.values[i]);
    }
    if (withSeparators) {
        settings.addComment(ProfileSeparator);
    }
}

} // namespace drovane
