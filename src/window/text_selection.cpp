#include "window/text_selection.h"

#include <algorithm>

namespace drovane {

void TextSelection::selectAll(const ProgramLines& lines) {
    const std::size_t lastLine = lines.count() - 1;
    anchor_ = {};
    caret_ = {lastLine, lines.line(lastLine).size()};
}

std::optional<LineSpan> TextSelection::spanOn(std::size_t line, std::size_t lineLength) const {
    const TextPosition start = first();
    const TextPosition end = last();
    if (empty() || line < start.line || line > end.line) {
        return std::nullopt;
    }
    const std::size_t from = line == start.line ? std::min(start.column, lineLength) : 0;
    const std::size_t to = line == end.line ? std::min(end.column, lineLength) : lineLength;
    return LineSpan{from, to, line < end.line};
}

std::string TextSelection::text(const ProgramLines& lines, std::string_view lineBreak) const {
    std::string text;
    const std::size_t endLine = std::min(last().line, lines.count() - 1);
    for (std::size_t index = first().line; index <= endLine; ++index) {
        const std::string_view line = lines.line(index);
        const std::optional<LineSpan> span = spanOn(index, line.size());
        if (!span) {
            break;
        }
        text += line.substr(span->from, span->to - span->from);
        if (span->throughBreak && index < endLine) {
            text += lineBreak;
        }
    }
    return text;
}

} // namespace drovane
