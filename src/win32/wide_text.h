#pragma once

// The window's own texts are UTF-8 in the program and UTF-16 in every Windows
// call; these two meet at the control boundary.

#include <string>
#include <string_view>

namespace drovane {

// Invalid UTF-8 becomes U+FFFD, so a broken name still shows.
std::wstring wideFromUtf8(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf8FromWide(std::wstring_view wide);
// A program line as the editor draws it: Windows-1252, a NUL as a blank.
std::wstring shownProgramLine(std::string_view bytes);

} // namespace drovane
