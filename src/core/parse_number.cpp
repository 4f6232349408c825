#include "core/text.h"

namespace drovane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 99;
}

struct SignedStart {
    bool negative = false;
    std::size_t position = 0;
};

SignedStart skipBlanksAndSign(std::string_view text) {
    SignedStart start;
    while (start.position < text.size() && isBlank(text[start.position])) {
        ++start.position;
    }
    if (start.position < text.size() &&
        (text[start.position] == '-' || text[start.position] == '+')) {
        start.negative = text[start.position] == '-';
        ++start.position;
    }
    return start;
}

} // namespace

std::int64_t parseNumber(std::string_view text) {
    auto [negative, position] = skipBlanksAndSign(text);
    unsigned base = 10;
    if (position < text.size() && text[position] == '$') {
        base = 16;
        ++position;
    } else if (position < text.size() && text[position] == '%') {
        base = 2;
        ++position;
    }
    // Unsigned arithmetic: an overlong digit string wraps instead of being undefined.
    std::uint64_t value = 0;
    for (; position < text.size(); ++position) {
        const auto digit = static_cast<unsigned>(digitValue(text[position]));
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    if (negative) {
        value = ~value + 1;
    }
    return static_cast<std::int64_t>(value);
}

double parseReal(std::string_view text) {
    auto [negative, position] = skipBlanksAndSign(text);
    double value = 0.0;
    for (; position < text.size() && digitValue(text[position]) < 10; ++position) {
        value = value * 10.0 + digitValue(text[position]);
    }
    if (position < text.size() && text[position] == '.') {
        double scale = 0.1;
        for (++position; position < text.size() && digitValue(text[position]) < 10; ++position) {
            value += scale * digitValue(text[position]);
            scale /= 10.0;
        }
    }
    return negative ? -value : value;
}

} // namespace drovane
