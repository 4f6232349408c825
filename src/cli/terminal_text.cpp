#include "cli/terminal_text.h"

#include "core/text.h"

#include <array>
#include <cstdio>

namespace drovane {
namespace {

bool isControl(unsigned char byte) {
    static constexpr std::string_view undefinedIn1252 = "\x81\x8D\x8F\x90\x9D";
    return byte < 0x20 || byte == 0x7F ||
           undefinedIn1252.find(static_cast<char>(byte)) != std::string_view::npos;
}

} // namespace

std::string terminalText(std::string_view windows1252) {
    std::string shown;
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < windows1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(windows1252[i]);
        if (!isControl(byte)) {
            continue;
        }
        shown += utf8FromWindows1252(windows1252.substr(plainFrom, i - plainFrom));
        std::array<char, 5> escape{};
        std::snprintf(escape.data(), escape.size(), "\\x%02X", static_cast<unsigned>(byte));
        shown += escape.data();
        plainFrom = i + 1;
    }
    return shown + utf8FromWindows1252(windows1252.substr(plainFrom));
}

} // namespace drovane
