#include "cli/program_environment.h"

#include <system_error>
#include <unistd.h>

namespace drovane {

std::vector<std::string> commandLineWords(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

std::filesystem::path executableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path(".") : executable.parent_path();
}

bool standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

// A terminal here takes the bytes as the locale says, UTF-8 on every system
// the program is meant for.
unsigned Utf8Console::switchConsoleToUtf8() {
    return 0;
}

void Utf8Console::restoreConsoleCodePage(unsigned /*codePage*/) {}

void keepStandardStreamsBinary() {}

} // namespace drovane
