#include "service/text_lines.h"

namespace drovane {

std::string_view trimmedLine(std::string_view line) {
    const auto isBlank = [](char c) {
        return static_cast<unsigned char>(c) <= ' ';
    };
    while (!line.empty() && isBlank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && isBlank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace drovane
