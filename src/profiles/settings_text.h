#pragma once

// How the settings file compares names and keys, and how its UTF-8 mode meets
// the program's 8-bit text.

#include <string>
#include <string_view>

namespace drovane {

// Letter case is ignored for A-Z only; every other byte must be equal.
bool sameName(std::string_view a, std::string_view b);
// The form under which sameName() names are equal: A-Z folded to a-z.
std::string foldedName(std::string_view name);

// Program to file: each byte 0x80-0xFF becomes the UTF-8 form of that Latin-1
// character.
std::string utf8FromLatin1(std::string_view text);
// File to program: two-byte characters below 256 come back as their byte,
// anything else a byte cannot carry as "?"; stray bytes are dropped.
std::string latin1FromUtf8(std::string_view text);

// A line break inside a written text would split its entry and could smuggle in
// keys or groups; each CR and LF becomes a blank.
std::string singleLine(std::string_view text);

} // namespace drovane
