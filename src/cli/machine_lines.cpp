#include "cli/machine_lines.h"

#include "cli/cli_texts.h"
#include "cli/port_stop_bits.h"
#include "cli/terminal_text.h"
#include "cli/text_columns.h"
#include "core/text.h"
#include "machine/port_selecting_line.h"
#include "profiles/settings_text.h"
#include "serial/character_frame.h"
#include "serial/flow_control.h"
#include "transfer/job_settings.h"
#include "window/profile_snapshot.h"

#include <array>
#include <cstdio>

namespace drovane {
namespace {

// Indexed by parity code.
constexpr std::array<char, 5> kParityLetters{'N', 'O', 'E', 'M', 'S'};

// What the line's back end makes of the stop bits.
std::string stopBitsText(const SerialSettings& settings) {
    double stopBits = frameStopBits(settings.stopBits);
    if (settings.portName != kVirtualPortName) {
        stopBits = portStopBits(settings.stopBits);
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%g", stopBits);
    return text.data();
}

std::string baudText(const SerialSettings& settings) {
    return settings.baudRate > 0 ? std::to_string(settings.baudRate)
                                 : std::string(cli_text::kInvalidValue);
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
    if (settings.dataBits < kFewestDataBits || settings.dataBits > kMostDataBits) {
        return std::string(cli_text::kInvalidValue);
    }
    const char parity =
        settings.parity < kParityLetters.size() ? kParityLetters.at(settings.parity) : '?';
    return std::to_string(settings.dataBits) + parity + stopBitsText(settings);
}

std::vector<std::string> machineLines(const MachineTable& table) {
    std::vector<TextRow> rows;
    for (const MachineProfile& profile : table.profiles) {
        const SettingsSnapshot shown = snapshotFromProfile(profile, {});
        rows.push_back({sameName(profile.name, table.remembered) ? "*" : " ",
                        terminalText(profile.name), terminalText(shown.portCombo),
                        baudText(serialSettingsFrom(shown)), frameText(shown),
                        handshakeName(shown.handshakeCombo)});
    }
    return alignColumns(rows);
}

} // namespace drovane
