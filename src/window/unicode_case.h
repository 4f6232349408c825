#pragma once

// Letter case for file names as the operators' desktops treat it: the Latin,
// Greek and Cyrillic letters, without the language rules (ß stays ß). Bytes
// that are no valid UTF-8 stand for themselves, so every name survives.

#include <string>
#include <string_view>

namespace drovane {

std::u32string foldedCase(std::string_view utf8);
std::string upperCase(std::string_view utf8);

} // namespace drovane
