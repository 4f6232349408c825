#include "machine/machine_program.h"

namespace drovane {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string numberAtLineStart(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string_view::npos || (line[start] != 'O' && line[start] != ':')) {
        return {};
    }
    std::size_t end = start + 1;
    while (end < line.size() && isDigit(line[end])) {
        ++end;
    }
    if (end == start + 1) {
        return {};
    }
    return "O" + std::string(line.substr(start + 1, end - start - 1));
}

} // namespace

std::string keptProgram(std::string_view received) {
    const std::size_t first = received.find_first_not_of('\0');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = received.find_last_not_of('\0');
    return std::string(received.substr(first, last - first + 1));
}

std::string punchImage(std::string_view program, unsigned char endCharacter) {
    std::string image(kPunchLeader, '\0');
    image.reserve(kPunchLeader + program.size() + kPunchTrailer + 1);
    image.append(program);
    image.append(kPunchTrailer, '\0');
    image.push_back(static_cast<char>(endCharacter));
    return image;
}

std::string programName(std::string_view program) {
    while (!program.empty()) {
        const std::size_t end = program.find('\n');
        std::string name = numberAtLineStart(program.substr(0, end));
        if (!name.empty()) {
            return name;
        }
        program.remove_prefix(end == std::string_view::npos ? program.size() : end + 1);
    }
    return {};
}

std::string_view sampleProgram() {
    return "%\n"
           "O1000 (BEISPIEL VIRTUELLE MASCHINE)\n"
           "N10 G21 G90 G40 G80\n"
           "N20 T0101\n"
           "N30 G96 S180 M03\n"
           "N40 G00 X52.0 Z2.0 M08\n"
           "N50 G01 Z-40.0 F0.2\n"
           "N60 G00 X100.0 Z100.0 M09\n"
           "N70 M30\n"
           "%\n";
}

} // namespace drovane
