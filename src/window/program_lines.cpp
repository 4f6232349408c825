#include "window/program_lines.h"

#include <utility>

namespace drovane {

void ProgramLines::append(std::string_view bytes) {
    bytes_.append(bytes);
}

void ProgramLines::assign(std::string bytes) {
    index_.clear();
    bytes_ = std::move(bytes);
}

void ProgramLines::clear() {
    // A new program may be far smaller; the old one's room goes back.
    std::string().swap(bytes_);
    index_.clear();
}

bool ProgramLines::indexMore(std::size_t bytes) {
    index_.append(std::string_view(bytes_).substr(index_.size(), bytes));
    return !fullyIndexed();
}

std::string ProgramLines::joined(std::string_view lineBreak) const {
    std::string text;
    text.reserve(bytes_.size() + count() * lineBreak.size());
    for (std::size_t index = 0; index < count(); ++index) {
        if (index > 0) {
            text += lineBreak;
        }
        text += line(index);
    }
    return text;
}

} // namespace drovane
