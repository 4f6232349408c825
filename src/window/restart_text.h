#pragma once

// A send that starts again inside a program, after a broken tool: the
// control first gets the program's head (its lines up to and including the
// program-number line), then the program from the chosen line to its end.
// Lines are counted from 1, as the operator counts them.

#include "window/line_index.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// Where the operator asked the send to begin.
struct SendStart {
    enum class Kind : std::uint8_t { Line, Block };
    Kind kind = Kind::Line;
    // The line number, or the number of the block word ("N100" is 100).
    std::uint64_t number = 1;
    bool operator==(const SendStart&) const = default;
};

struct StartLine {
    // 1-based; none when the start was refused.
    std::optional<std::size_t> line;
    // Why it was refused, as a whole sentence (UTF-8).
    std::string refusal;
};

struct Restart {
    // What goes out; none when the start was refused.
    std::optional<std::string> text;
    std::size_t line = 1;
    // Lines of the head sent before that line.
    std::size_t headLines = 0;
    std::string refusal;
};

// The text to send from `start` on, looked up in the program as loaded.
Restart prepareRestart(std::string_view program, SendStart start);

// The lines a program has; an empty line after the last line end is none.
std::size_t programLineCount(const LineIndex& lines);
// The number of a block word such as "N100"; none for any other text.
std::optional<std::uint64_t> blockNumber(std::string_view word);
// The first line whose first word is that block, or the line asked for.
StartLine findStartLine(std::string_view program, const LineIndex& lines, SendStart start);
// The last line of the head before `line`; none when the program has none.
std::optional<std::size_t> headEnd(std::string_view program, const LineIndex& lines,
                                   std::size_t line);
// The head, then the program from `line` on, every byte as it stands.
std::string restartText(std::string_view program, const LineIndex& lines, std::size_t line);

} // namespace drovane
