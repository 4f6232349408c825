// Checks the one-pass preparation against the steps done one after the other
// in the plainest way, each on the whole text.

#include "transfer/transmit_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using drovane::TransmitOptions;

std::string withoutBytes(const std::string& text, bool (*drop)(unsigned char)) {
    std::string kept;
    for (const char c : text) {
        if (!drop(static_cast<unsigned char>(c))) {
            kept += c;
        }
    }
    return kept;
}

std::string referencePreparation(std::string text, const TransmitOptions& options) {
    if (options.percentFilter) {
        text = withoutBytes(text, [](unsigned char c) { return c == '%'; });
    }
    if (options.controlFilter) {
        text = withoutBytes(
            text, [](unsigned char c) { return c >= 0x01 && c <= 0x1F && c != '\n' && c != '\r'; });
    }
    if (!options.afterLine.empty()) {
        std::size_t i = 0;
        while (i < text.size()) {
            if (text[i] != '\n') {
                ++i;
                continue;
            }
            const std::size_t at = (i > 0 && text[i - 1] == '\r') ? i - 1 : i;
            text.insert(at, options.afterLine);
            i += options.afterLine.size() + 1; // behind the LF
        }
    }
    if (!options.beforeProgram.empty()) {
        text = options.beforeProgram + "\n" + text;
    }
    if (!options.afterProgram.empty()) {
        text = text + "\n" + options.afterProgram;
    }
    if (!options.afterEndCode.empty()) {
        for (const char* code : {"M02", "M30"}) {
            const std::size_t at = text.find(code);
            if (at != std::string::npos) {
                text.insert(at + 3, options.afterEndCode);
            }
        }
    }
    return text;
}

// Random bytes seldom spell "M02" or "\r\n"; half the inputs draw from the
// characters the steps care about instead.
std::string fromAlphabet(const std::string& bytes) {
    static constexpr std::array<char, 12> alphabet = {'M', '0',  '2', '3', '\r', '\n',
                                                      '%', '\t', 'm', 'X', ' ',  '\x13'};
    std::string text;
    for (const char c : bytes) {
        text += alphabet[static_cast<unsigned char>(c) % alphabet.size()];
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool narrow = input.ConsumeBool();
    const auto draw = [&](std::size_t most) {
        const std::string bytes = input.ConsumeRandomLengthString(most);
        return narrow ? fromAlphabet(bytes) : bytes;
    };
    TransmitOptions options;
    options.percentFilter = input.ConsumeBool();
    options.controlFilter = input.ConsumeBool();
    options.afterLine = draw(4);
    options.beforeProgram = draw(6);
    options.afterProgram = draw(6);
    options.afterEndCode = draw(4);
    const std::string program = draw(size);

    const std::string expected = referencePreparation(program, options);
    const std::string actual = drovane::prepareTransmitText(program, options);
    if (actual != expected) {
        std::fprintf(stderr, "prepared %zu bytes, the plain steps give %zu\n", actual.size(),
                     expected.size());
        std::abort();
    }
    return 0;
}
