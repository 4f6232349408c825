#include "transfer/job_settings.h"

#include "core/text.h"
#include "transfer/transmit_settings.h"

#include <algorithm>

namespace drovane {

std::uint8_t parityCode(std::string_view text) {
    const auto* found = std::find_if(kParityNames.begin(), kParityNames.end(),
                                     [text](const ParityName& name) { return name.text == text; });
    return found != kParityNames.end() ? found->code : kParityNames.front().code;
}

Handshake handshakeCode(std::string_view text) {
    const auto* found =
        std::find_if(kHandshakeNames.begin(), kHandshakeNames.end(),
                     [text](const HandshakeName& name) { return name.text == text; });
    return found != kHandshakeNames.end() ? found->code : kHandshakeNames.front().code;
}

std::int32_t number32(std::string_view text) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(parseNumber(text)));
}

unsigned char endCharacter(std::string_view text) {
    return static_cast<unsigned char>(static_cast<std::uint64_t>(parseNumber(text)) & 0xFFU);
}

SerialSettings serialSettingsFrom(const SettingsSnapshot& controls) {
    SerialSettings settings;
    settings.baudRate = number32(controls.baudCombo);
    settings.portName = utf8FromWindows1252(controls.portCombo);
    settings.dataBits = static_cast<std::uint8_t>(number32(controls.dataBitsCombo));
    settings.stopBits = parseReal(controls.stopBitsCombo);
    settings.inputBufferSize = number32(controls.receiveBufferCombo);
    settings.outputBufferSize = number32(controls.sendBufferCombo);
    settings.parity = parityCode(controls.parityCombo);
    settings.handshake = handshakeCode(controls.handshakeCombo);
    return settings;
}

TransmitOptions transmitOptionsFrom(const SettingsSnapshot& controls) {
    return transmitOptionsFrom(TransmitSettingTexts{
        .percentFilter = controls.percentFilterCombo,
        .controlFilter = controls.sendControlFilterCombo,
        .afterLine = controls.afterLineField,
        .beforeProgram = controls.beforeProgramField,
        .afterProgram = controls.afterProgramField,
        .afterEndCode = controls.afterEndCodeField,
    });
}

} // namespace drovane
