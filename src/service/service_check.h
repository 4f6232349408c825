#pragma once

// `drovane-dnc check` and what `run` may serve: both files read, every served
// machine matched with its profile in drovane.ini, and every fault named.

#include "profiles/machine_profile.h"
#include "service/service_settings.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace drovane {

struct PlannedMachine {
    ServedMachine machine;
    MachineProfile profile;
};

struct ServicePlan {
    std::filesystem::path journal;
    // drovane.ini's "Pattern": the extension of received programs, the files
    // a DIRLIST shows and the extension a request may leave out.
    std::string pattern;
    // The machines without a fault, in the order of drovane-dnc.ini.
    std::vector<PlannedMachine> served;
    std::vector<ServiceFault> faults;
};

// Faults: a machine missing from drovane.ini, a folder that is missing or
// takes no file, two machines on one port (both left out), a bad number.
ServicePlan planService(const std::filesystem::path& settingsFile,
                        const std::filesystem::path& serviceFile);

// Writes per served machine its port, folders and whether it takes requests,
// then every fault, one UTF-8 line each; 0 without a fault, else 1.
int checkService(const std::filesystem::path& settingsFile,
                 const std::filesystem::path& serviceFile, std::ostream& out);

} // namespace drovane
