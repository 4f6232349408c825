#include "transfer/transmit_text.h"

#include "transfer/huge_pages.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <new>

namespace drovane {
namespace {

enum class ByteRole : unsigned char { Keep, Drop, LineEnd };
using RoleTable = std::array<ByteRole, 256>;

RoleTable roleTable(const TransmitOptions& options) {
    RoleTable roles{};
    roles.fill(ByteRole::Keep);
    if (options.percentFilter) {
        roles['%'] = ByteRole::Drop;
    }
    if (options.controlFilter) {
        for (unsigned char c = 0x01; c <= 0x1F; ++c) {
            if (c != '\n' && c != '\r') {
                roles[c] = ByteRole::Drop;
            }
        }
    }
    if (!options.afterLine.empty()) {
        roles['\n'] = ByteRole::LineEnd;
    }
    return roles;
}

// Sizes beyond memory are an allocation failure, like any other.
std::size_t checkedAdd(std::size_t a, std::size_t b) {
    if (a > std::numeric_limits<std::size_t>::max() - b) {
        throw std::bad_alloc();
    }
    return a + b;
}

std::size_t checkedMultiply(std::size_t a, std::size_t b) {
    if (b != 0 && a > std::numeric_limits<std::size_t>::max() / b) {
        throw std::bad_alloc();
    }
    return a * b;
}

// Counted in fixed blocks, which the compiler turns into vector code; a plain
// count runs byte by byte and costs more than the whole preparation.
std::size_t countLineEnds(std::string_view text) {
    constexpr std::size_t block = 64; // fits the per-block tally of one byte
    std::size_t count = 0;
    std::size_t at = 0;
    for (; at + block <= text.size(); at += block) {
        unsigned char hits = 0;
        for (std::size_t i = 0; i < block; ++i) {
            hits += static_cast<unsigned char>(text[at + i] == '\n');
        }
        count += hits;
    }
    for (; at < text.size(); ++at) {
        count += static_cast<std::size_t>(text[at] == '\n');
    }
    return count;
}

// Room for everything the steps can produce, so the text is written once
// and the two code insertions never reallocate. The filters never remove an
// LF, so every LF of the program gets exactly one line-end string.
std::size_t resultBound(std::string_view text, const TransmitOptions& options) {
    std::size_t bound = text.size();
    if (!options.afterLine.empty()) {
        const std::size_t lineEnds = countLineEnds(text);
        bound = checkedAdd(bound, checkedMultiply(lineEnds, options.afterLine.size()));
    }
    if (!options.beforeProgram.empty()) {
        bound = checkedAdd(bound, checkedAdd(options.beforeProgram.size(), 1));
    }
    if (!options.afterProgram.empty()) {
        bound = checkedAdd(bound, checkedAdd(options.afterProgram.size(), 1));
    }
    return checkedAdd(bound, checkedMultiply(options.afterEndCode.size(), 2));
}

// Line-end strings are mostly a character or two: a library call per line
// would cost more than the copy.
char* copyString(std::string_view text, char* out) {
    if (text.size() > 8) {
        return std::copy(text.begin(), text.end(), out);
    }
    for (const char c : text) {
        *out++ = c;
    }
    return out;
}

// Both filters and the line-end strings in one pass. The filters run first in
// effect: a CR counts as the LF's predecessor once a "%" or TAB between them
// is gone. The inserted string is never looked at again.
char* filterAndMarkLines(std::string_view text, const TransmitOptions& options, char* out) {
    const RoleTable roles = roleTable(options);
    const std::string_view afterLine = options.afterLine;
    char* const start = out;
    for (const char c : text) {
        switch (roles[static_cast<unsigned char>(c)]) {
        case ByteRole::Keep:
            *out++ = c;
            break;
        case ByteRole::Drop:
            break;
        case ByteRole::LineEnd: {
            const bool crLf = out != start && out[-1] == '\r';
            if (crLf) {
                --out;
            }
            out = copyString(afterLine, out);
            if (crLf) {
                *out++ = '\r';
            }
            *out++ = '\n';
            break;
        }
        }
    }
    return out;
}

void insertBehindFirst(std::string& text, std::string_view code, std::string_view inserted) {
    const std::size_t at = text.find(code);
    if (at != std::string::npos) {
        text.insert(at + code.size(), inserted);
    }
}

} // namespace

std::string prepareTransmitText(std::string_view programText, const TransmitOptions& options) {
    std::string result;
    const std::size_t bound = resultBound(programText, options);
    if (bound > result.max_size()) {
        throw std::bad_alloc();
    }
    result.reserve(bound);
    adviseHugePages(result);
    result.resize(bound);
    char* out = result.data();
    // The begin string goes in front of a text whose line ends are already
    // marked, so writing it first changes nothing and saves a move.
    if (!options.beforeProgram.empty()) {
        out = std::copy(options.beforeProgram.begin(), options.beforeProgram.end(), out);
        *out++ = '\n';
    }
    out = filterAndMarkLines(programText, options, out);
    if (!options.afterProgram.empty()) {
        *out++ = '\n';
        out = std::copy(options.afterProgram.begin(), options.afterProgram.end(), out);
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    if (!options.afterEndCode.empty()) {
        // The M30 search sees the text with the M02 string already in it.
        insertBehindFirst(result, "M02", options.afterEndCode);
        insertBehindFirst(result, "M30", options.afterEndCode);
    }
    return result;
}

} // namespace drovane
