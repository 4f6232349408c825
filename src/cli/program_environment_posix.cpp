#include "cli/program_environment.h"

#include <algorithm>
#include <unistd.h>

namespace drovane {

std::vector<std::string> commandLineWords(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
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
