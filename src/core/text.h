#pragma once

// How the program reads numbers, yes/no answers and path pieces out of texts,
// and how its 8-bit Windows-1252 text meets Unicode at the widget boundary.

#include <cstdint>
#include <string>
#include <string_view>

namespace drovane {

// Blanks, sign, then "$" hexadecimal, "%" binary or decimal digits up to the
// first non-digit; no digits gives 0. Wraps around in 64 bits.
std::int64_t parseNumber(std::string_view text);

// The stop-bit reader: a decimal fraction with the blank and sign rules above.
double parseReal(std::string_view text);

// Only the exact text "Ja" is yes.
inline bool isYes(std::string_view text) {
    return text == "Ja";
}

// Path pieces accept "\" and "/" as separators; a leading double quote is
// skipped and a later one ends the text.
std::string_view unquotedPath(std::string_view path);
std::string filePart(std::string_view path);
std::string directoryPart(std::string_view path);
// The text after the last "." of the file part; empty without one.
std::string extension(std::string_view path);

// Every byte maps to exactly one Unicode character and back, the five bytes
// Windows-1252 leaves undefined included, so a round trip is lossless.
char32_t unicodeFromWindows1252(unsigned char byte);
// '?' for characters Windows-1252 cannot carry.
unsigned char windows1252FromUnicode(char32_t character);
std::string utf8FromWindows1252(std::string_view bytes);
// Invalid UTF-8 sequences become '?'.
std::string windows1252FromUtf8(std::string_view utf8);
// For the Windows calls, which take UTF-16; every Windows-1252 character lies
// in the basic plane, so one byte is one wchar_t on every platform.
std::wstring wideFromWindows1252(std::string_view bytes);
// Characters Windows-1252 cannot carry become '?'.
std::string windows1252FromWide(std::wstring_view wide);

} // namespace drovane
