#include "core/text.h"

#include <array>

namespace drovane {
namespace {

// 0x80-0x9F; the five bytes Windows-1252 leaves undefined keep their C1 code
// point so that they survive a round trip.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one character at `position` and advances past it; U+FFFD when invalid.
char32_t decodeUtf8(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80) {
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
        value = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < length; ++i) {
        if (position >= text.size() ||
            !isContinuation(static_cast<unsigned char>(text[position]))) {
            return 0xFFFD;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[position++]) & 0x3F);
    }
    return value;
}

} // namespace

char32_t unicodeFromWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return HighControlRange[byte - 0x80];
    }
    return byte;
}

unsigned char windows1252FromUnicode(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == character) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return '?';
}

std::string utf8FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        appendUtf8(out, unicodeFromWindows1252(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string windows1252FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        out += static_cast<char>(windows1252FromUnicode(decodeUtf8(utf8, position)));
    }
    return out;
}

std::wstring wideFromWindows1252(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        out += static_cast<wchar_t>(unicodeFromWindows1252(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string windows1252FromWide(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (const wchar_t character : wide) {
        // A surrogate half is no basic-plane character, so it maps to '?' too.
        out += static_cast<char>(windows1252FromUnicode(static_cast<char32_t>(character)));
    }
    return out;
}

} // namespace drovane
