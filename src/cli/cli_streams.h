#pragma once

#include <cstdio>
#include <string_view>

namespace drovane {

// Where drovane-cli writes: the log (standard output), messages (standard
// error), and whether standard error shows a progress line.
struct CliStreams {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool progress = false;
};

void printLine(std::FILE* stream, std::string_view line);

} // namespace drovane
