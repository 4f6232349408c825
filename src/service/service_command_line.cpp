#include "service/service_command_line.h"

namespace drovane {
namespace {

using Native = std::filesystem::path::string_type;

// Quoted, so that a folder such as "C:\Program Files" stays one word; a
// Windows path cannot hold a quote itself.
Native quoted(const std::filesystem::path& word) {
    const Native quote = std::filesystem::path("\"").native();
    return quote + word.native() + quote;
}

void addFile(Native& line, const char* option, const std::optional<std::filesystem::path>& file) {
    if (file) {
        line += std::filesystem::path(option).native() + quoted(std::filesystem::absolute(*file));
    }
}

} // namespace

Native serviceCommandLine(const std::filesystem::path& executable, const DncArguments& arguments) {
    Native line = quoted(executable);
    addFile(line, " --settings ", arguments.settingsFile);
    addFile(line, " --service ", arguments.serviceFile);
    return line + std::filesystem::path(" service").native();
}

} // namespace drovane
