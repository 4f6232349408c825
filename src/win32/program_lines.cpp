#include "win32/program_lines.h"

#include <algorithm>

namespace drovane {

namespace {
constexpr std::wstring_view LineBreak = L"\r\n";
}

void ProgramLines::append(std::wstring_view text) {
    length_ += text.size();
    while (!text.empty()) {
        const std::size_t end = text.find(LineBreak);
        std::wstring& open = lines_.back();
        open.append(text.substr(0, end));
        longest_ = std::max(longest_, open.size());
        if (end == std::wstring_view::npos) {
            return;
        }
        lines_.emplace_back();
        text.remove_prefix(end + LineBreak.size());
    }
}

void ProgramLines::clear() {
    lines_.assign(1, std::wstring());
    length_ = 0;
    longest_ = 0;
}

std::wstring ProgramLines::joined() const {
    std::wstring text;
    text.reserve(length_);
    for (std::size_t index = 0; index < lines_.size(); ++index) {
        if (index > 0) {
            text += LineBreak;
        }
        text += lines_[index];
    }
    return text;
}

} // namespace drovane
