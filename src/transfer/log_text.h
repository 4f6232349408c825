#pragma once

// Log lines made of a text, a decimal number and a text.

#include <cstdint>
#include <string>
#include <string_view>

namespace drovane {

inline std::string numberLine(std::string_view before, std::int64_t number,
                              std::string_view after = {}) {
    std::string line(before);
    line += std::to_string(number);
    line += after;
    return line;
}

} // namespace drovane
