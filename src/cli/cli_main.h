#pragma once

// drovane-cli as a function: the words after the program name in, an exit
// code out, everything said on the given streams.

#include "cli/cli_streams.h"

#include <filesystem>
#include <span>
#include <string_view>

namespace drovane {

// `executableFolder` holds the drovane.ini used without --settings.
int runCli(std::span<const std::string_view> words, const CliStreams& streams,
           const std::filesystem::path& executableFolder);

} // namespace drovane
