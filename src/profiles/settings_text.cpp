#include "profiles/settings_text.h"

#include <algorithm>

namespace drovane {
namespace {

char foldLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Moves past up to `count` continuation bytes.
std::size_t skipContinuations(std::string_view text, std::size_t position, int count) {
    for (; count > 0 && position < text.size(); --count) {
        if (!isContinuation(static_cast<unsigned char>(text[position]))) {
            break;
        }
        ++position;
    }
    return position;
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return foldLetter(x) == foldLetter(y); });
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    std::ranges::transform(folded, folded.begin(), foldLetter);
    return folded;
}

std::string utf8FromLatin1(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string latin1FromUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const auto lead = static_cast<unsigned char>(text[position++]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
        } else if ((lead & 0xE0) == 0xC0) {
            if (position < text.size() &&
                isContinuation(static_cast<unsigned char>(text[position]))) {
                const unsigned code =
                    ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[position]) & 0x3Fu);
                out += code < 0x100 ? static_cast<char>(code) : '?';
                ++position;
            } else {
                out += '?';
            }
        } else if ((lead & 0xF0) == 0xE0) {
            position = skipContinuations(text, position, 2);
            out += '?';
        } else if ((lead & 0xF8) == 0xF0) {
            position = skipContinuations(text, position, 3);
            out += '?';
        }
        // Stray continuation bytes and F8-FF are dropped.
    }
    return out;
}

std::string singleLine(std::string_view text) {
    std::string line(text);
    std::ranges::replace_if(
        line, [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

} // namespace drovane
