#pragma once

// The words after the program name, checked against the table of commands
// and the options each one takes.

#include "window/restart_text.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace drovane {

enum class CliCommand : std::uint8_t { Send, Receive, Machines, Ports, Help, Version };

struct CliArguments {
    CliCommand command = CliCommand::Help;
    std::optional<std::string> settings;
    std::optional<std::string> machine;
    std::optional<std::string> port;
    bool overwrite = false;
    // A send from this line or block on; the whole program without it.
    std::optional<SendStart> from;
    // The program to send or the target of a reception.
    std::string file;

    bool operator==(const CliArguments&) const = default;
};

struct ParsedCommandLine {
    std::optional<CliArguments> arguments;
    // Why the words were refused (UTF-8, one line); empty on success.
    std::string error;
};

ParsedCommandLine parseCommandLine(std::span<const std::string_view> words);

} // namespace drovane
