#pragma once

// drovane-dnc under the platform's service manager. On Windows install,
// uninstall and service talk to the Service Control Manager; on Linux systemd
// starts `run` through the unit in packaging/, and these three only say so.

#include "service/dnc_arguments.h"

#include <filesystem>
#include <ostream>
#include <string_view>

namespace drovane {

inline constexpr std::string_view kServiceName = "DrovaneDNC";

// Exit codes: 0 done, 1 refused or failed (the reason on `err`).
int installService(const DncArguments& arguments, std::ostream& out, std::ostream& err);
int uninstallService(std::ostream& out, std::ostream& err);
// Runs the service for the Service Control Manager until it is stopped.
int serveAsService(const std::filesystem::path& settingsFile,
                   const std::filesystem::path& serviceFile, std::ostream& out, std::ostream& err);

} // namespace drovane
