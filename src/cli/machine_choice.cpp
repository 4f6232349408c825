#include "cli/machine_choice.h"

#include "cli/cli_texts.h"
#include "cli/terminal_text.h"
#include "cli/word_path.h"
#include "core/text.h"
#include "profiles/settings_file.h"
#include "profiles/settings_text.h"
#include "transfer/sentence.h"

#include <algorithm>
#include <system_error>

namespace drovane {
namespace {

// Opens the file for reading only: nothing here writes a value, so closing it
// never writes it back.
void openForReading(SettingsFile& settings, const std::filesystem::path& path,
                    std::vector<std::string>& warnings) {
    std::error_code error;
    const bool present = std::filesystem::exists(path, error);
    if (!settings.open(path) || !present) {
        const bool missing = !present && !error;
        warnings.push_back(fill(
            missing ? cli_text::kSettingsMissing : cli_text::kSettingsUnreadable, shownPath(path)));
    }
}

struct GroupNames {
    // Each once, as the lookup finds it: the first of names equal but for
    // the case of A-Z.
    std::vector<std::string> offered;
    // Decoded names of groups whose stored name does not come back from
    // decoding: selected by that name they would give the defaults.
    std::vector<std::string> unreadable;
};

std::optional<std::string> findName(const std::vector<std::string>& names, std::string_view name) {
    const auto found =
        std::ranges::find_if(names, [name](const std::string& n) { return sameName(n, name); });
    return found == names.end() ? std::nullopt : std::optional(*found);
}

GroupNames groupNames(SettingsFile& settings) {
    GroupNames names;
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        std::string name = settings.currentGroupName();
        auto& list = settings.currentGroupNameDecodes() ? names.offered : names.unreadable;
        if (!findName(list, name)) {
            list.push_back(std::move(name));
        }
    }
    return names;
}

std::string unreadableGroupLine(std::string_view name) {
    return fill(cli_text::kUnreadableGroup, terminalText(name));
}

std::string remembered(SettingsFile& settings) {
    return settings.readValue(MachineKey.key, MachineKey.defaultValue);
}

std::string knownMachinesLine(const std::vector<std::string>& names) {
    if (names.empty()) {
        return std::string(cli_text::kNoMachines);
    }
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        list += (i == 0 ? "" : ", ") + terminalText(names[i]);
    }
    return fill(cli_text::kKnownMachines, list);
}

} // namespace

MachineTable readMachineTable(const std::filesystem::path& settingsPath) {
    MachineTable table;
    SettingsFile settings;
    openForReading(settings, settingsPath, table.warnings);
    table.remembered = remembered(settings);
    const GroupNames names = groupNames(settings);
    for (const std::string& name : names.unreadable) {
        table.warnings.push_back(unreadableGroupLine(name));
    }
    for (const std::string& name : names.offered) {
        table.profiles.push_back(readProfile(settings, name));
    }
    return table;
}

MachineChoice chooseMachine(const std::filesystem::path& settingsPath,
                            const std::optional<std::string>& machine) {
    MachineChoice choice;
    SettingsFile settings;
    openForReading(settings, settingsPath, choice.warnings);
    const std::string name = machine ? windows1252FromUtf8(*machine) : remembered(settings);
    const GroupNames names = groupNames(settings);
    const std::optional<std::string> found = findName(names.offered, name);
    if (!found) {
        if (findName(names.unreadable, name)) {
            choice.error = unreadableGroupLine(name);
            return choice;
        }
        if (machine) {
            choice.error = fill(cli_text::kUnknownMachine, terminalText(name)) + "\n" +
                           knownMachinesLine(names.offered);
            return choice;
        }
        choice.warnings.push_back(fill(cli_text::kRememberedWithoutGroup, terminalText(name)));
    }
    choice.profile = readProfile(settings, found.value_or(name));
    return choice;
}

} // namespace drovane
