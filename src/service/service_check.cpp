#include "service/service_check.h"

#include "core/text.h"
#include "profiles/profile_keys.h"
#include "profiles/settings_file.h"
#include "serial/serial_ports.h"
#include "service/folder_probe.h"
#include "service/service_messages.h"
#include "transfer/sentence.h"
#include "window/utf8_path.h"

#include <algorithm>
#include <map>

namespace drovane {
namespace {

namespace text = service_messages;

std::string folderFault(FolderState state, const std::filesystem::path& folder,
                        const std::string& machine) {
    const std::string_view sentence = state == FolderState::Missing       ? text::kFolderMissing
                                      : state == FolderState::NotWritable ? text::kFolderNotWritable
                                                                          : text::kFolderUnreadable;
    return fill(fill(sentence, utf8FromPath(folder)), utf8FromWindows1252(machine));
}

void checkFolders(const ServedMachine& machine, std::vector<ServiceFault>& faults) {
    if (!machine.receiveFolder.empty()) {
        const auto state = probeWritableFolder(machine.receiveFolder);
        if (state != FolderState::Usable) {
            faults.push_back(
                {machine.name, folderFault(state, machine.receiveFolder, machine.name)});
        }
    }
    if (!machine.sendFolder.empty()) {
        const auto state = probeReadableFolder(machine.sendFolder);
        if (state != FolderState::Usable) {
            faults.push_back({machine.name, folderFault(state, machine.sendFolder, machine.name)});
        }
    }
}

// Both machines of a shared port are faulty: neither may take it from the other.
void checkSharedPorts(const std::vector<PlannedMachine>& machines,
                      std::vector<ServiceFault>& faults) {
    std::map<std::string, const PlannedMachine*> byDevice;
    for (const auto& planned : machines) {
        const std::string& port = planned.profile.values[PortField];
        const auto [first, isNew] = byDevice.emplace(devicePathForPort(port), &planned);
        if (isNew) {
            continue;
        }
        const auto& other = first->second->machine.name;
        const auto& name = planned.machine.name;
        const std::string portText = utf8FromWindows1252(port);
        faults.push_back(
            {other, fill(fill(fill(text::kSharedPort, utf8FromWindows1252(other)), portText),
                         utf8FromWindows1252(name))});
        faults.push_back(
            {name, fill(fill(fill(text::kSharedPort, utf8FromWindows1252(name)), portText),
                        utf8FromWindows1252(other))});
    }
}

bool hasFault(const std::vector<ServiceFault>& faults, const std::string& machine) {
    return std::any_of(faults.begin(), faults.end(),
                       [&](const ServiceFault& fault) { return fault.machine == machine; });
}

void writeServed(const PlannedMachine& planned, std::ostream& out) {
    const auto& machine = planned.machine;
    out << fill(fill(text::kServed, utf8FromWindows1252(machine.name)),
                utf8FromWindows1252(planned.profile.values[PortField]))
        << '\n';
    out << (machine.receiveFolder.empty()
                ? std::string(text::kNoReceiving)
                : fill(text::kReceivesInto, utf8FromPath(machine.receiveFolder)))
        << '\n';
    out << (machine.sendFolder.empty() ? std::string(text::kNoRequests)
                                       : fill(text::kAnswersFrom, utf8FromPath(machine.sendFolder)))
        << '\n';
}

} // namespace

ServicePlan planService(const std::filesystem::path& settingsFile,
                        const std::filesystem::path& serviceFile) {
    ServiceSettingsRead read = readServiceSettings(serviceFile);
    ServicePlan plan;
    plan.journal = read.settings.journal;
    plan.faults = std::move(read.faults);

    SettingsFile settings;
    if (!settings.open(settingsFile)) {
        plan.faults.push_back({{}, fill(text::kFileUnreadable, utf8FromPath(settingsFile))});
    }
    settings.selectGroup({});
    plan.pattern = settings.readValue(PatternKey.key, PatternKey.defaultValue);

    std::vector<PlannedMachine> known;
    for (auto& machine : read.settings.machines) {
        if (!settings.selectGroup(machine.name)) {
            plan.faults.push_back(
                {machine.name, fill(fill(text::kUnknownMachine, utf8FromWindows1252(machine.name)),
                                    utf8FromPath(settingsFile))});
            continue;
        }
        checkFolders(machine, plan.faults);
        MachineProfile profile = readProfile(settings, machine.name);
        known.push_back({std::move(machine), std::move(profile)});
    }
    checkSharedPorts(known, plan.faults);
    for (auto& planned : known) {
        if (!hasFault(plan.faults, planned.machine.name)) {
            plan.served.push_back(std::move(planned));
        }
    }
    return plan;
}

int checkService(const std::filesystem::path& settingsFile,
                 const std::filesystem::path& serviceFile, std::ostream& out) {
    const ServicePlan plan = planService(settingsFile, serviceFile);
    for (const auto& planned : plan.served) {
        writeServed(planned, out);
    }
    for (const auto& fault : plan.faults) {
        out << fill(text::kFaultLine, fault.text) << '\n';
    }
    if (plan.faults.empty()) {
        out << text::kNoFaults << '\n';
        return 0;
    }
    out << fill(text::kFaultCount, static_cast<std::int64_t>(plan.faults.size())) << '\n';
    return 1;
}

} // namespace drovane
