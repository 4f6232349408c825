#pragma once

// How a job turns the texts of the settings controls into line settings and
// numbers. Only exact, case-sensitive names count; any other text falls back
// to the first code.

#include "serial/serial_types.h"
#include "transfer/settings_snapshot.h"
#include "transfer/transmit_text.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace drovane {

struct ParityName {
    std::string_view text;
    std::uint8_t code;
};
inline constexpr std::array<ParityName, 5> kParityNames{{
    {"NOPARITY", 0},
    {"ODDPARITY", 1},
    {"EVENPARITY", 2},
    {"MARKPARITY", 3},
    {"SPACEPARITY", 4},
}};

struct HandshakeName {
    std::string_view text;
    Handshake code;
};
inline constexpr std::array<HandshakeName, 4> kHandshakeNames{{
    {"NOHANDSHAKE", Handshake::NoHandshake},
    {"RTSHANDSHAKE", Handshake::RtsHandshake},
    {"RTS/CTS", Handshake::RtsCts},
    {"XON/XOFF", Handshake::XonXoff},
}};

std::uint8_t parityCode(std::string_view text);
Handshake handshakeCode(std::string_view text);

// The low 32 bits of the number in the text.
std::int32_t number32(std::string_view text);
// The low 8 bits: the end character (0 means none).
unsigned char endCharacter(std::string_view text);

// Port name (as a UTF-8 device name), rate, parity, data bits, stop bits,
// handshake and both buffer sizes.
SerialSettings serialSettingsFrom(const SettingsSnapshot& controls);
TransmitOptions transmitOptionsFrom(const SettingsSnapshot& controls);

} // namespace drovane
