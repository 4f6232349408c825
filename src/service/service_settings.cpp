#include "service/service_settings.h"

#include "core/path_text.h"
#include "core/text.h"
#include "profiles/settings_file.h"
#include "service/service_messages.h"
#include "transfer/sentence.h"
#include "window/utf8_path.h"

#include <algorithm>
#include <array>
#include <optional>

namespace drovane {
namespace {

constexpr std::array<ServiceKey, 5> ServiceKeys = {{
    {"Empfangsordner", ""},
    {"Sendeordner", ""},
    {"Anfrage_Verzoegerung", "3"},
    {"Ruhezeit", "10"},
    {"Antwort_bei_Fehler", "Ja"},
}};

// More would be a typing error, not a wish: an hour of waiting.
constexpr int LongestWait = 3600;

std::optional<std::chrono::seconds> plainSeconds(std::string_view text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto value = parseNumber(text);
    if (value > LongestWait) {
        return std::nullopt;
    }
    return std::chrono::seconds(value);
}

// A folder text as the file names it, relative ones beside the file.
std::filesystem::path folderBeside(const std::filesystem::path& serviceFile,
                                   std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto path = pathFromWindows1252(text);
    return path.is_absolute() ? path : serviceFile.parent_path() / path;
}

class MachineReader {
public:
    MachineReader(SettingsFile& file, std::vector<ServiceFault>& faults)
        : file_(file), faults_(faults) {}

    ServedMachine read(const std::filesystem::path& serviceFile, const std::string& name) {
        ServedMachine machine;
        machine.name = name;
        file_.selectGroup(name);
        machine.receiveFolder = folderBeside(serviceFile, value(ReceiveFolderField));
        machine.sendFolder = folderBeside(serviceFile, value(SendFolderField));
        machine.requestDelay = seconds(name, RequestDelayField, machine.requestDelay);
        machine.quietTime = seconds(name, QuietTimeField, machine.quietTime);
        machine.answerOnError = isYes(value(AnswerOnErrorField));
        return machine;
    }

private:
    std::string value(ServiceField field) {
        return file_.readValue(ServiceKeys[field].key, ServiceKeys[field].defaultValue);
    }

    std::chrono::seconds seconds(const std::string& machine, ServiceField field,
                                 std::chrono::seconds fallback) {
        const std::string text = value(field);
        if (const auto read = plainSeconds(text)) {
            return *read;
        }
        std::string line = fill(service_messages::kBadNumber, utf8FromWindows1252(text));
        line = fill(line, ServiceKeys[field].key);
        line = fill(fill(line, utf8FromWindows1252(machine)), LongestWait);
        faults_.push_back({machine, std::move(line)});
        return fallback;
    }

    SettingsFile& file_;
    std::vector<ServiceFault>& faults_;
};

std::vector<std::string> groupNames(SettingsFile& file, const std::filesystem::path& serviceFile,
                                    std::vector<ServiceFault>& faults) {
    std::vector<std::string> names;
    file.beginGroupListing();
    while (file.nextGroup()) {
        std::string name = file.currentGroupName();
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        } else {
            faults.push_back(
                {{},
                 fill(fill(service_messages::kDuplicateGroup, utf8FromWindows1252(name)),
                      utf8FromPath(serviceFile))});
        }
    }
    return names;
}

} // namespace

std::span<const ServiceKey> serviceKeys() {
    return ServiceKeys;
}

ServiceSettingsRead readServiceSettings(const std::filesystem::path& serviceFile) {
    ServiceSettingsRead read;
    SettingsFile file;
    if (!file.open(serviceFile)) {
        read.faults.push_back(
            {{}, fill(service_messages::kFileUnreadable, utf8FromPath(serviceFile))});
        return read;
    }
    file.selectGroup({});
    read.settings.journal =
        folderBeside(serviceFile, file.readValue(JournalKey.key, JournalKey.defaultValue));
    MachineReader reader(file, read.faults);
    for (const auto& name : groupNames(file, serviceFile, read.faults)) {
        read.settings.machines.push_back(reader.read(serviceFile, name));
    }
    return read;
}

} // namespace drovane
