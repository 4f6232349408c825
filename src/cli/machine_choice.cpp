#include "cli/machine_choice.h"

#include "cli/cli_texts.h"
#include "cli/word_path.h"
#include "core/text.h"
#include "profiles/settings_file.h"

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
        warnings.push_back(std::string(missing ? cli_text::kSettingsMissingBefore
                                               : cli_text::kSettingsUnreadableBefore) +
                           shownPath(path) +
                           std::string(missing ? cli_text::kSettingsMissingAfter
                                               : cli_text::kSettingsUnreadableAfter));
    }
}

std::vector<std::string> groupNames(SettingsFile& settings) {
    std::vector<std::string> names;
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        std::string name = settings.currentGroupName();
        if (std::ranges::find(names, name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::string remembered(SettingsFile& settings) {
    return settings.readValue(MachineKey.key, MachineKey.defaultValue);
}

std::string knownMachinesLine(const std::vector<std::string>& names) {
    if (names.empty()) {
        return std::string(cli_text::kNoMachines);
    }
    std::string line(cli_text::kKnownMachines);
    for (std::size_t i = 0; i < names.size(); ++i) {
        line += (i == 0 ? "" : ", ") + utf8FromWindows1252(names[i]);
    }
    return line;
}

} // namespace

MachineTable readMachineTable(const std::filesystem::path& settingsPath) {
    MachineTable table;
    SettingsFile settings;
    openForReading(settings, settingsPath, table.warnings);
    table.remembered = remembered(settings);
    for (const std::string& name : groupNames(settings)) {
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
    const std::vector<std::string> names = groupNames(settings);
    if (std::ranges::find(names, name) == names.end()) {
        if (machine) {
            choice.error = std::string(cli_text::kUnknownMachineBefore) + *machine + "\n" +
                           knownMachinesLine(names);
            return choice;
        }
        choice.warnings.push_back(std::string(cli_text::kRememberedWithoutGroupBefore) +
                                  utf8FromWindows1252(name) +
                                  std::string(cli_text::kRememberedWithoutGroupAfter));
    }
    choice.profile = readProfile(settings, name);
    return choice;
}

} // namespace drovane
