#pragma once

// What the operator marked in the program editor: from where the button went
// down (the anchor) to where it is now (the caret), either way round.

#include "window/program_lines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

struct TextPosition {
    std::size_t line = 0;
    std::size_t column = 0;
    bool operator==(const TextPosition&) const = default;
    bool operator<(const TextPosition& other) const {
        return line != other.line ? line < other.line : column < other.column;
    }
};

// The marked columns of one line; `throughBreak` when the mark goes on to the next.
struct LineSpan {
    std::size_t from = 0;
    std::size_t to = 0;
    bool throughBreak = false;
};

class TextSelection {
public:
    void startAt(TextPosition position) { anchor_ = caret_ = position; }
    void extendTo(TextPosition position) { caret_ = position; }
    void selectAll(const ProgramLines& lines);
    void clear() { startAt({}); }

    bool empty() const { return anchor_ == caret_; }
    TextPosition first() const { return std::min(anchor_, caret_); }
    TextPosition last() const { return std::max(anchor_, caret_); }
    TextPosition caret() const { return caret_; }
    std::optional<LineSpan> spanOn(std::size_t line, std::size_t lineLength) const;
    // The marked bytes with `lineBreak` between lines.
    std::string text(const ProgramLines& lines, std::string_view lineBreak) const;

private:
    TextPosition anchor_;
    TextPosition caret_;
};

} // namespace drovane
