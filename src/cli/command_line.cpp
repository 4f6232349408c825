#include "cli/command_line.h"

#include "cli/cli_texts.h"
#include "transfer/sentence.h"

#include <algorithm>
#include <array>
#include <string>

namespace drovane {
namespace {

enum Option : std::uint8_t {
    SettingsOption = 1U << 0U,
    MachineOption = 1U << 1U,
    PortOption = 1U << 2U,
    OverwriteOption = 1U << 3U,
    FromLineOption = 1U << 4U,
    FromBlockOption = 1U << 5U,
};

struct OptionSpec {
    std::string_view name;
    Option option;
    bool takesValue;
};

constexpr std::array<OptionSpec, 6> kOptions{{
    {"--settings", SettingsOption, true},
    {"--machine", MachineOption, true},
    {"--port", PortOption, true},
    {"--overwrite", OverwriteOption, false},
    {"--from-line", FromLineOption, true},
    {"--from-block", FromBlockOption, true},
}};

struct CommandSpec {
    std::string_view name;
    CliCommand command;
    unsigned options;
    bool needsFile;
};

constexpr unsigned kTransferOptions = SettingsOption | MachineOption | PortOption;

constexpr std::array<CommandSpec, 6> kCommands{{
    {"send", CliCommand::Send, kTransferOptions | FromLineOption | FromBlockOption, true},
    {"receive", CliCommand::Receive, kTransferOptions | OverwriteOption, true},
    {"machines", CliCommand::Machines, SettingsOption, false},
    {"ports", CliCommand::Ports, 0, false},
    {"--help", CliCommand::Help, 0, false},
    {"--version", CliCommand::Version, 0, false},
}};

ParsedCommandLine refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

const OptionSpec* findOption(std::string_view name) {
    const auto* found = std::ranges::find(kOptions, name, &OptionSpec::name);
    return found != kOptions.end() ? found : nullptr;
}

std::optional<std::string>* valueSlot(CliArguments& arguments, Option option) {
    switch (option) {
    case SettingsOption:
        return &arguments.settings;
    case MachineOption:
        return &arguments.machine;
    case PortOption:
        return &arguments.port;
    case OverwriteOption:
    case FromLineOption:
    case FromBlockOption:
        break;
    }
    return nullptr;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.size() <= 18 &&
           std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// Where a send begins; an error line for a value that names no line or block.
std::string takeStart(CliArguments& arguments, Option option, std::string_view value) {
    if (arguments.from) {
        return std::string(cli_text::kStartTwice);
    }
    if (option == FromLineOption) {
        if (!allDigits(value) || value.find_first_not_of('0') == std::string_view::npos) {
            return fill(cli_text::kBadLine, value);
        }
        arguments.from = SendStart{SendStart::Kind::Line, std::stoull(std::string(value))};
        return {};
    }
    const auto number = blockNumber(value);
    if (!number || !allDigits(value.substr(1))) {
        return fill(cli_text::kBadBlock, value);
    }
    arguments.from = SendStart{SendStart::Kind::Block, *number};
    return {};
}

class Parser {
public:
    Parser(const CommandSpec& command, std::span<const std::string_view> words)
        : command_(command), words_(words) {
        arguments_.command = command.command;
    }

    ParsedCommandLine parse() {
        bool optionsEnded = false;
        for (index_ = 0; index_ < words_.size(); ++index_) {
            const std::string_view word = words_[index_];
            if (!optionsEnded && word == "--") {
                optionsEnded = true;
            } else if (!optionsEnded && word.starts_with("-") && word.size() > 1) {
                if (auto error = takeOption(word); !error.empty()) {
                    return refused(std::move(error));
                }
            } else if (command_.needsFile && !haveFile_) {
                arguments_.file = std::string(word);
                haveFile_ = true;
            } else {
                return refused(fill(cli_text::kExtraArgument, word));
            }
        }
        if (command_.needsFile && !haveFile_) {
            return refused(fill(cli_text::kFileMissing, command_.name));
        }
        if (command_.needsFile && arguments_.file.empty()) {
            return refused(std::string(cli_text::kFileEmpty));
        }
        return {arguments_, {}};
    }

private:
    std::string takeOption(std::string_view word) {
        const std::size_t equals = word.find('=');
        const std::string_view name = word.substr(0, equals);
        const OptionSpec* spec = findOption(name);
        if (spec == nullptr) {
            return fill(cli_text::kUnknownOption, name);
        }
        if ((command_.options & spec->option) == 0) {
            return fill(fill(cli_text::kOptionNotFor, spec->name), command_.name);
        }
        if ((seen_ & spec->option) != 0) {
            return fill(cli_text::kOptionTwice, name);
        }
        seen_ |= spec->option;
        if (!spec->takesValue) {
            if (equals != std::string_view::npos) {
                return fill(cli_text::kOptionTakesNoValue, name);
            }
            arguments_.overwrite = true;
            return {};
        }
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = word.substr(equals + 1);
        } else if (index_ + 1 < words_.size()) {
            value = words_[++index_];
        } else {
            return fill(cli_text::kValueMissing, name);
        }
        if (value.empty()) {
            return fill(cli_text::kValueEmpty, name);
        }
        if (spec->option == FromLineOption || spec->option == FromBlockOption) {
            return takeStart(arguments_, spec->option, value);
        }
        *valueSlot(arguments_, spec->option) = std::string(value);
        return {};
    }

    const CommandSpec& command_;
    std::span<const std::string_view> words_;
    CliArguments arguments_;
    std::size_t index_ = 0;
    unsigned seen_ = 0;
    bool haveFile_ = false;
};

} // namespace

ParsedCommandLine parseCommandLine(std::span<const std::string_view> words) {
    if (words.empty()) {
        return refused(std::string(cli_text::kNoCommand));
    }
    // Help wins wherever it stands, so that "send --help" helps too.
    if (std::ranges::any_of(words, [](std::string_view w) { return w == "--help" || w == "-h"; })) {
        return {CliArguments{}, {}};
    }
    const auto* command = std::ranges::find(kCommands, words.front(), &CommandSpec::name);
    if (command == kCommands.end()) {
        return refused(fill(cli_text::kUnknownCommand, words.front()));
    }
    return Parser(*command, words.subspan(1)).parse();
}

} // namespace drovane
