#include "cli/cli_main.h"

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/exit_code.h"
#include "cli/machine_lines.h"
#include "cli/port_lines.h"
#include "cli/transfer_command.h"
#include "cli/word_path.h"

namespace drovane {
namespace {

constexpr std::string_view kSettingsFileName = "drovane.ini";

ExitCode listMachines(const std::filesystem::path& settingsPath, const CliStreams& streams) {
    const MachineTable table = readMachineTable(settingsPath);
    for (const std::string& warning : table.warnings) {
        printLine(streams.err, warning);
    }
    if (table.profiles.empty()) {
        printLine(streams.err, cli_text::kNoMachines);
    }
    for (const std::string& line : machineLines(table)) {
        printLine(streams.out, line);
    }
    return ExitCode::Completed;
}

void printHelp(std::FILE* stream) {
    for (const std::string_view part :
         {cli_text::kHelpUsage, cli_text::kPortExamples, cli_text::kHelpOverwrite,
          cli_text::kInterruptHelp, cli_text::kHelpExitCodes}) {
        std::fwrite(part.data(), 1, part.size(), stream);
    }
}

ExitCode listPorts(const CliStreams& streams) {
    const auto ports = listSerialPorts();
    if (ports.empty()) {
        printLine(streams.err, cli_text::kNoPorts);
    }
    for (const std::string& line : portLines(ports)) {
        printLine(streams.out, line);
    }
    return ExitCode::Completed;
}

} // namespace

int runCli(std::span<const std::string_view> words, const CliStreams& streams,
           const std::filesystem::path& executableFolder) {
    const ParsedCommandLine parsed = parseCommandLine(words);
    if (!parsed.arguments) {
        printLine(streams.err, std::string(cli_text::kProgramName) + ": " + parsed.error);
        printLine(streams.err, cli_text::kSeeHelp);
        return toInt(ExitCode::UsageError);
    }
    const CliArguments& arguments = *parsed.arguments;
    const std::filesystem::path settingsPath = arguments.settings
                                                   ? pathFromWord(*arguments.settings)
                                                   : executableFolder / kSettingsFileName;
    switch (arguments.command) {
    case CliCommand::Help:
        printHelp(streams.out);
        return toInt(ExitCode::Completed);
    case CliCommand::Version:
        printLine(streams.out, std::string(cli_text::kProgramName) + " " + DROVANE_VERSION);
        return toInt(ExitCode::Completed);
    case CliCommand::Machines:
        return toInt(listMachines(settingsPath, streams));
    case CliCommand::Ports:
        return toInt(listPorts(streams));
    case CliCommand::Send:
        return toInt(runSend(arguments, settingsPath, streams));
    case CliCommand::Receive:
        return toInt(runReceive(arguments, settingsPath, streams));
    }
    return toInt(ExitCode::UsageError);
}

} // namespace drovane
