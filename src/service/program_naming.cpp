#include "service/program_naming.h"

namespace drovane {

std::optional<std::string> requestedProgram(std::string_view /*text*/) {
    return std::nullopt;
}

std::string receivedProgramName(std::string_view /*text*/, std::string_view machine,
                                std::string_view /*extension*/,
                                std::chrono::system_clock::time_point /*now*/) {
    return std::string(machine);
}

std::string fileTimeStamp(std::chrono::system_clock::time_point /*time*/) {
    return {};
}

} // namespace drovane
