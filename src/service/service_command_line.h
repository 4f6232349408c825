#pragma once

// The command line the Service Control Manager starts the service with: the
// .exe, the files named at install made absolute (a service starts in the
// system folder, not where install was typed), and the word `service`.
// Without files named, the service reads the two beside the .exe.

#include "service/dnc_arguments.h"

#include <filesystem>

namespace drovane {

std::filesystem::path::string_type serviceCommandLine(const std::filesystem::path& executable,
                                                      const DncArguments& arguments);

} // namespace drovane
