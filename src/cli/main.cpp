// drovane-cli: the transfers of the window for scripts, CAM post-processors
// and service technicians, on the same profiles.

#include "cli/cli_main.h"
#include "cli/crash_report.h"
#include "cli/program_environment.h"
#include "core/executable_directory.h"

#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    drovane::reportCrashes();
    drovane::keepStandardStreamsBinary();
    const drovane::Utf8Console console;
    const std::vector<std::string> given = drovane::commandLineWords(argc, argv);
    const std::vector<std::string_view> words(given.begin(), given.end());
    drovane::CliStreams streams;
    streams.progress = drovane::standardErrorIsTerminal();
    return drovane::runCli(words, streams, drovane::executableDirectory());
}
