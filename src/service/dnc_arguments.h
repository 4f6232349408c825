#pragma once

// The command line of drovane-dnc:
//   drovane-dnc [--settings FILE] [--service FILE] check | run | status |
//               journal [--machine M] [--last N] | install | uninstall
// and `service`, the word the Service Control Manager starts it with.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace drovane {

enum class DncCommand : std::uint8_t { Check, Run, Status, Journal, Install, Uninstall, Service };

struct DncArguments {
    DncCommand command = DncCommand::Run;
    std::optional<std::filesystem::path> settingsFile;
    std::optional<std::filesystem::path> serviceFile;
    std::optional<std::string> machine;
    std::optional<std::size_t> last;
};

struct DncArgumentsRead {
    std::optional<DncArguments> arguments;
    std::string error; // a sentence, when arguments is empty
};

// `words` without the program's name.
DncArgumentsRead readDncArguments(const std::vector<std::string>& words);

inline constexpr std::string_view kDncUsage =
    "Aufruf: drovane-dnc [--settings DATEI] [--service DATEI] check | run | status | journal "
    "[--machine MASCHINE] [--last N] | install | uninstall\n"
    "  install trägt den Dienst unter Windows beim Dienststeuerungs-Manager ein (startet mit "
    "dem PC, als Administrator aufrufen), uninstall trägt ihn aus; run bedient im "
    "Konsolenfenster.";

} // namespace drovane
