#include "window/profile_snapshot.h"

#include "core/text.h"

#include <algorithm>
#include <ranges>

namespace drovane {
namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::ranges::equal(a, b, {}, lower, lower);
}

// Lists the window extends with whatever the file holds.
bool takesAnyText(std::size_t field) {
    return field == PortField || field == ReceiveBufferField || field == SendBufferField;
}

std::string shown(const MachineProfile& profile, std::size_t field) {
    const std::string& stored = profile.values[field];
    const ProfileKey& key = ProfileKeys[field];
    if (key.values.empty() || takesAnyText(field)) {
        return stored;
    }
    if (stored.empty()) {
        return {};
    }
    const auto entry = std::ranges::find_if(
        key.values, [&](std::string_view value) { return equalIgnoringCase(value, stored); });
    // No match leaves the list as it was at start-up: without a selection.
    return entry != key.values.end() ? std::string(*entry) : std::string();
}

} // namespace

SettingsSnapshot snapshotFromProfile(const MachineProfile& profile, std::string fileName) {
    const auto get = [&](std::size_t field) {
        return shown(profile, field);
    };
    SettingsSnapshot s;
    s.fileNameField = std::move(fileName);
    s.portCombo = get(PortField);
    s.baudCombo = get(BaudRateField);
    s.dataBitsCombo = get(DataBitsField);
    s.stopBitsCombo = get(StopBitsField);
    s.parityCombo = get(ParityField);
    s.handshakeCombo = get(HandshakeField);
    s.receiveBufferCombo = get(ReceiveBufferField);
    s.sendBufferCombo = get(SendBufferField);
    s.sendTimeoutField = get(SendTimeoutField);
    s.receiveTimeoutField = get(ReceiveTimeoutField);
    s.dtrDsrCheck = isYes(profile.values[DtrDsrField]);
    s.leaderCountField = get(LeaderCountField);
    s.trailerCountField = get(TrailerCountField);
    s.endCharField = get(EndCharField);
    s.percentFilterCombo = get(PercentFilterField);
    s.sendControlFilterCombo = get(SendControlFilterField);
    s.receiveControlFilterCombo = get(ReceiveControlFilterField);
    s.beforeProgramField = get(BeforeProgramField);
    s.afterProgramField = get(AfterProgramField);
    s.afterEndCodeField = get(AfterEndCodeField);
    s.afterLineField = get(AfterLineField);
    s.lineEndCombo = get(LineEndField);
    s.xonCharField = get(XonCharField);
    s.xoffCharField = get(XoffCharField);
    s.xonSendCombo = get(XonSendField);
    s.xonWaitCombo = get(XonWaitField);
    return s;
}

} // namespace drovane
