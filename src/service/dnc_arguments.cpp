#include "service/dnc_arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace drovane {
namespace {

struct CommandName {
    std::string_view word;
    DncCommand command;
};

constexpr std::array<CommandName, 7> kCommands = {{{"check", DncCommand::Check},
                                                   {"run", DncCommand::Run},
                                                   {"status", DncCommand::Status},
                                                   {"journal", DncCommand::Journal},
                                                   {"install", DncCommand::Install},
                                                   {"uninstall", DncCommand::Uninstall},
                                                   {"service", DncCommand::Service}}};

DncArgumentsRead refused(std::string sentence) {
    return {std::nullopt, std::move(sentence)};
}

std::optional<std::size_t> count(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

DncArgumentsRead readDncArguments(const std::vector<std::string>& words) {
    DncArguments arguments;
    std::optional<DncCommand> command;
    for (std::size_t at = 0; at < words.size(); ++at) {
        const std::string& word = words[at];
        const bool option =
            word == "--settings" || word == "--service" || word == "--machine" || word == "--last";
        if (option) {
            if (at + 1 >= words.size()) {
                return refused("Zur Option " + word + " fehlt der Wert.");
            }
            const std::string& value = words[++at];
            if (word == "--settings") {
                arguments.settingsFile = std::filesystem::path(value);
            } else if (word == "--service") {
                arguments.serviceFile = std::filesystem::path(value);
            } else if (word == "--machine") {
                arguments.machine = value;
            } else if (!(arguments.last = count(value))) {
                return refused("Die Anzahl " + value + " ist keine Zahl über 0.");
            }
            continue;
        }
        const auto* found = std::ranges::find(kCommands, word, &CommandName::word);
        if (found == kCommands.end() || command) {
            return refused("Unbekanntes Argument " + word + ".");
        }
        command = found->command;
    }
    if (!command) {
        return refused("Es fehlt der Befehl check, run, status, journal, install oder uninstall.");
    }
    if ((arguments.machine || arguments.last) && *command != DncCommand::Journal) {
        return refused("Die Optionen --machine und --last gelten nur für journal.");
    }
    arguments.command = *command;
    return {arguments, {}};
}

} // namespace drovane
