#pragma once

// What the window benchmarks share: dialogs that answer nothing, and a long
// program of many short lines, as a machine's drilling program has.

#include "window/dialogs.h"

#include <optional>
#include <string>

namespace drovane::bench {

class SilentDialogs final : public Dialogs {
public:
    void inform(std::string_view /*title*/, std::string_view /*text*/) override {}
    bool askYesNo(std::string_view /*title*/, std::string_view /*text*/) override { return false; }
    std::optional<std::string> askText(std::string_view /*title*/, std::string_view /*prompt*/,
                                       std::string_view /*initial*/) override {
        return std::nullopt;
    }
    std::string chooseFolder(std::string_view /*prompt*/, std::string_view /*start*/) override {
        return {};
    }
};

inline std::string generatedProgram(std::size_t size) {
    std::string text;
    text.reserve(size + 64);
    for (long line = 1; text.size() < size; ++line) {
        text += "N" + std::to_string(line) + " X" + std::to_string(line % 997) + ".5\r\n";
    }
    return text;
}

} // namespace drovane::bench
