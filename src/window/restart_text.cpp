#include "window/restart_text.h"

#include <array>
#include <cctype>

namespace drovane {

namespace {

std::string_view firstWord(std::string_view line) {
    const std::size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    line.remove_prefix(begin);
    return line.substr(0, line.find_first_of(" \t"));
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "O1234" or ":1234", with or without a comment glued on.
bool isProgramNumber(std::string_view word) {
    return word.size() > 1 && (word[0] == 'O' || word[0] == ':') && isDigit(word[1]);
}

bool isHeadLine(std::string_view line) {
    return isProgramNumber(firstWord(line)) || line.find("BEGIN PGM") != std::string_view::npos;
}

std::optional<std::size_t> firstLineBefore(std::string_view program, const LineIndex& lines,
                                           std::size_t line, bool (*matches)(std::string_view)) {
    for (std::size_t index = 0; index + 1 < line; ++index) {
        if (matches(lines.line(program, index))) {
            return index + 1;
        }
    }
    return std::nullopt;
}

std::string numbered(std::string_view before, std::uint64_t number, std::string_view after) {
    return std::string(before) + std::to_string(number) + std::string(after);
}

} // namespace

std::size_t programLineCount(const LineIndex& lines) {
    const std::size_t last = lines.lineCount() - 1;
    return lines.lineStart(last) == lines.size() && last > 0 ? last : lines.lineCount();
}

std::optional<std::uint64_t> blockNumber(std::string_view word) {
    std::size_t digits = 0;
    while (digits + 1 < word.size() && isDigit(word[digits + 1])) {
        ++digits;
    }
    if (word.empty() || (word[0] != 'N' && word[0] != 'n') || digits == 0 || digits > 18) {
        return std::nullopt;
    }
    std::uint64_t number = 0;
    for (const char digit : word.substr(1, digits)) {
        number = number * 10 + static_cast<std::uint64_t>(digit - '0');
    }
    return number;
}

StartLine findStartLine(std::string_view program, const LineIndex& lines, SendStart start) {
    const std::size_t count = programLineCount(lines);
    if (start.kind == SendStart::Kind::Line) {
        if (start.number == 0 || start.number > count) {
            return {std::nullopt, numbered("Das Programm hat keine Zeile ", start.number,
                                           " (es hat " + std::to_string(count) + " Zeilen).")};
        }
        return {static_cast<std::size_t>(start.number), {}};
    }
    for (std::size_t index = 0; index < count; ++index) {
        if (blockNumber(firstWord(lines.line(program, index))) == start.number) {
            return {index + 1, {}};
        }
    }
    return {std::nullopt, numbered("Der Satz N", start.number, " kommt im Programm nicht vor.")};
}

std::optional<std::size_t> headEnd(std::string_view program, const LineIndex& lines,
                                   std::size_t line) {
    if (auto numbered = firstLineBefore(program, lines, line, isHeadLine)) {
        return numbered;
    }
    return firstLineBefore(program, lines, line,
                           [](std::string_view text) { return firstWord(text).starts_with('%'); });
}

std::string restartText(std::string_view program, const LineIndex& lines, std::size_t line) {
    std::string text;
    if (const auto head = headEnd(program, lines, line)) {
        text = program.substr(0, lines.lineStart(*head));
    }
    text += program.substr(lines.lineStart(line - 1));
    return text;
}

Restart prepareRestart(std::string_view program, SendStart start) {
    LineIndex lines;
    lines.append(program);
    StartLine found = findStartLine(program, lines, start);
    if (!found.line) {
        return {std::nullopt, 1, 0, std::move(found.refusal)};
    }
    return {restartText(program, lines, *found.line),
            *found.line,
            headEnd(program, lines, *found.line).value_or(0),
            {}};
}

} // namespace drovane
