#include "qt/start_parameter.h"

namespace drovane {

std::string firstParameter(std::string_view commandLine) {
    const auto start = commandLine.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    commandLine.remove_prefix(start);
    if (commandLine.front() == '"') {
        commandLine.remove_prefix(1);
        return std::string(commandLine.substr(0, commandLine.find('"')));
    }
    return std::string(commandLine.substr(0, commandLine.find(' ')));
}

std::string startParameter(std::span<const std::string_view> arguments) {
    if (arguments.empty()) {
        return {};
    }
    if (!arguments.front().starts_with('"')) {
        return std::string(arguments.front());
    }
    std::string joined;
    for (const auto argument : arguments) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += argument;
    }
    return firstParameter(joined);
}

} // namespace drovane
