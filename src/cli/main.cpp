// drovane-cli: the transfers of the window for scripts, CAM post-processors
// and service technicians, on the same profiles.

#include "cli/cli_main.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    drovane::CliStreams streams;
    streams.progress = ::isatty(STDERR_FILENO) == 1;
    return drovane::runCli(words, streams,
                           error ? std::filesystem::path(".") : executable.parent_path());
}
