#pragma once

// The lines about program files that the window's log and the command line
// both show (UTF-8), in one place.

#include <cstddef>
#include <string>
#include <string_view>

namespace drovane::program_messages {

inline constexpr std::string_view kCutAtNulBefore = "Achtung! Die Datei enthält an Byte ";
inline constexpr std::string_view kCutAtNulAfter =
    " ein HEX(00)-Zeichen; das Programm endet davor.";

// Names the NUL's byte position, counted from 1 as the send job counts.
inline std::string cutAtNulLine(std::size_t nulOffset) {
    return std::string(kCutAtNulBefore) + std::to_string(nulOffset + 1) +
           std::string(kCutAtNulAfter);
}

} // namespace drovane::program_messages
