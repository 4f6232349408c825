#pragma once

// Walks a machine's text line by line without copying it: LF ends a line,
// a CR before it is no part of the line.

#include <optional>
#include <string_view>

namespace drovane {

class TextLines {
public:
    explicit TextLines(std::string_view text) : rest_(text) {}

    std::optional<std::string_view> next() {
        if (done_) {
            return std::nullopt;
        }
        const auto end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        if (end == std::string_view::npos) {
            done_ = true;
        } else {
            rest_.remove_prefix(end + 1);
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        return line;
    }

private:
    std::string_view rest_;
    bool done_ = false;
};

// Blanks, tabs and control characters (a NUL leader, a stray CR) at both ends
// removed.
std::string_view trimmedLine(std::string_view line);

} // namespace drovane
