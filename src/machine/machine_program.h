#pragma once

// The program a virtual control keeps and the tape image it punches.

#include <cstddef>
#include <string>
#include <string_view>

namespace drovane {

inline constexpr std::size_t kPunchLeader = 20;
inline constexpr std::size_t kPunchTrailer = 20;

// What arrived before the end character, NUL leader and trailer removed.
std::string keptProgram(std::string_view received);

// NUL leader, the program, NUL trailer, the end character.
std::string punchImage(std::string_view program, unsigned char endCharacter);

// The program number ("O0001"): the first line that starts with O, or with
// the ISO colon, followed by digits. Empty when there is none.
std::string programName(std::string_view program);

// Punched when nothing was received yet.
std::string_view sampleProgram();

} // namespace drovane
