#include "window/unicode_case.h"

#include <array>
#include <cstdint>

namespace drovane {
namespace {

// A byte that starts no valid sequence is kept as a code point no valid text
// decodes to, and written back as that byte.
constexpr char32_t strayByteBase = 0xDC00;

// Blocks where upper and lower case lie a fixed distance apart.
struct CaseBlock {
    char32_t firstUpper;
    char32_t lastUpper;
    char32_t distance;
    char32_t skipped; // the one code point in the block that is no letter pair
};

constexpr std::array<CaseBlock, 5> shiftedBlocks = {{
    {0x41, 0x5A, 0x20, 0},       // A-Z
    {0xC0, 0xDE, 0x20, 0xD7},    // À-Þ, without ×
    {0x391, 0x3A9, 0x20, 0x3A2}, // Greek
    {0x410, 0x42F, 0x20, 0},     // Cyrillic А-Я
    {0x400, 0x40F, 0x50, 0},     // Cyrillic Ѐ-Џ
}};

// Latin Extended-A: pairs of upper and lower case next to each other.
struct PairedBlock {
    char32_t first;
    char32_t last;
    char32_t upperParity; // 0: upper case on even code points
};

constexpr std::array<PairedBlock, 4> pairedBlocks = {{
    {0x100, 0x12F, 0},
    {0x132, 0x137, 0},
    {0x139, 0x148, 1},
    {0x14A, 0x177, 0},
}};

constexpr PairedBlock lastPairs{0x179, 0x17E, 1};

bool inPairs(const PairedBlock& block, char32_t c) {
    return c >= block.first && c <= block.last;
}

char32_t lower(char32_t c) {
    for (const CaseBlock& block : shiftedBlocks) {
        if (c >= block.firstUpper && c <= block.lastUpper && c != block.skipped) {
            return c + block.distance;
        }
    }
    if (c == 0x178) { // Ÿ
        return 0xFF;
    }
    for (const PairedBlock& block : pairedBlocks) {
        if (inPairs(block, c) && c % 2 == block.upperParity) {
            return c + 1;
        }
    }
    return inPairs(lastPairs, c) && c % 2 == lastPairs.upperParity ? c + 1 : c;
}

char32_t upper(char32_t c) {
    for (const CaseBlock& block : shiftedBlocks) {
        const char32_t first = block.firstUpper + block.distance;
        const char32_t last = block.lastUpper + block.distance;
        if (c >= first && c <= last && c != block.skipped + block.distance) {
            return c - block.distance;
        }
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c == 0x3C2) { // final sigma
        return 0x3A3;
    }
    for (const PairedBlock& block : pairedBlocks) {
        if (inPairs(block, c) && c % 2 != block.upperParity) {
            return c - 1;
        }
    }
    return inPairs(lastPairs, c) && c % 2 != lastPairs.upperParity ? c - 1 : c;
}

unsigned sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Decodes one character at text[at]; a stray byte when the sequence is broken.
char32_t decodeAt(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const unsigned length = sequenceLength(lead);
    if (length == 1) {
        ++at;
        return lead;
    }
    constexpr std::array<unsigned char, 5> leadMasks = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t c = lead & (length == 0 ? 0U : leadMasks[length]);
    bool valid = length != 0 && at + length <= text.size();
    for (unsigned i = 1; valid && i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        valid = (next & 0xC0U) == 0x80U;
        c = (c << 6U) | (next & 0x3FU);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (!valid || overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return strayByteBase + lead;
    }
    at += length;
    return c;
}

void encode(char32_t c, std::string& out) {
    if (c >= strayByteBase + 0x80 && c <= strayByteBase + 0xFF) {
        out += static_cast<char>(c - strayByteBase);
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0U | (c >> 6U));
        out += static_cast<char>(0x80U | (c & 0x3FU));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0U | (c >> 12U));
        out += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (c & 0x3FU));
    } else {
        out += static_cast<char>(0xF0U | (c >> 18U));
        out += static_cast<char>(0x80U | ((c >> 12U) & 0x3FU));
        out += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (c & 0x3FU));
    }
}

} // namespace

std::u32string foldedCase(std::string_view utf8) {
    std::u32string folded;
    folded.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        folded += lower(decodeAt(utf8, at));
    }
    return folded;
}

std::string upperCase(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        encode(upper(decodeAt(utf8, at)), result);
    }
    return result;
}

} // namespace drovane
