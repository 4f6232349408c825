#pragma once

// The settings file as the command line reads it: never written, defaults
// where it or a group is missing, the machine named or the remembered one.

#include "profiles/machine_profile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace drovane {

struct MachineTable {
    // Every group, in file order, each name once.
    std::vector<MachineProfile> profiles;
    // "Maschine" of the file (Windows-1252).
    std::string remembered;
    // For standard error (UTF-8): a missing or unreadable file.
    std::vector<std::string> warnings;
};

MachineTable readMachineTable(const std::filesystem::path& settingsPath);

struct MachineChoice {
    std::optional<MachineProfile> profile;
    std::vector<std::string> warnings;
    // Why there is no profile (UTF-8, may span lines); empty with one.
    std::string error;
};

// `machine` is UTF-8 as typed; without it the remembered machine is taken,
// with the defaults when the file has no group for it.
MachineChoice chooseMachine(const std::filesystem::path& settingsPath,
                            const std::optional<std::string>& machine);

} // namespace drovane
