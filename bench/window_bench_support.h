#pragma once

// What the window benchmarks share: dialogs that answer nothing, and a long
// program of many short lines, as a machine's drilling program has.

#include "shell/dialogs.h"

#include <optional>
#include <string>

namespace drovane::bench {

class SilentDialogs final : public Dialogs {
public:
    void inform(const QString& /*title*/, const QString& /*text*/) override {}
    bool askYesNo(const QString& /*title*/, const QString& /*text*/) override { return false; }
    std::optional<QString> askText(const QString& /*title*/, const QString& /*prompt*/,
                                   const QString& /*initial*/) override {
        return std::nullopt;
    }
    QString chooseFolder(const QString& /*prompt*/, const QString& /*start*/) override {
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
