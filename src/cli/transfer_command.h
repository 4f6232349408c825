#pragma once

// `drovane-cli send` and `drovane-cli receive`: the machine's profile, the
// job of the window run on its own thread, the operator's interrupts turned
// into the abort request, and the ending turned into an exit code.

#include "cli/cli_streams.h"
#include "cli/command_line.h"
#include "cli/exit_code.h"
#include "cli/file_target.h"

#include <filesystem>

namespace drovane {

ExitCode runSend(const CliArguments& arguments, const std::filesystem::path& settingsPath,
                 const CliStreams& streams);
// How a reception that opened its port ended, for the calling script.
ExitCode receptionExitCode(SaveResult result, bool lineErrors);

ExitCode runReceive(const CliArguments& arguments, const std::filesystem::path& settingsPath,
                    const CliStreams& streams);

} // namespace drovane
