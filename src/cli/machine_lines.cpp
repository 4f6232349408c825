#include "cli/machine_lines.h"

#include "cli/profile_snapshot.h"
#include "cli/text_columns.h"
#include "core/text.h"
#include "transfer/job_settings.h"

#include <array>
#include <cstdio>

namespace drovane {
namespace {

// Indexed by parity code.
constexpr std::array<char, 5> kParityLetters{'N', 'O', 'E', 'M', 'S'};

std::string stopBitsText(double stopBits) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%g", stopBits);
    return text.data();
}

std::string handshakeName(std::string_view shown) {
    const Handshake code = handshakeCode(shown);
    for (const HandshakeName& name : kHandshakeNames) {
        if (name.code == code) {
            return std::string(name.text);
        }
    }
    return {};
}

} // namespace

std::string frameText(const SettingsSnapshot& shown) {
    const SerialSettings settings = serialSettingsFrom(shown);
    const char parity =
        settings.parity < kParityLetters.size() ? kParityLetters.at(settings.parity) : '?';
    return std::to_string(settings.dataBits) + parity + stopBitsText(settings.stopBits);
}

std::vector<std::string> machineLines(const MachineTable& table) {
    std::vector<TextRow> rows;
    for (const MachineProfile& profile : table.profiles) {
        const SettingsSnapshot shown = snapshotFromProfile(profile, {});
        rows.push_back({profile.name == table.remembered ? "*" : " ",
                        utf8FromWindows1252(profile.name), utf8FromWindows1252(shown.portCombo),
                        std::to_string(number32(shown.baudCombo)), frameText(shown),
                        handshakeName(shown.handshakeCombo)});
    }
    return alignColumns(rows);
}

} // namespace drovane
