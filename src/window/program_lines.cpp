#include "window/program_lines.h"

#include <algorithm>
#include <utility>

namespace drovane {

void ProgramLines::append(std::string_view bytes) {
    if (!shown_.empty()) {
        // Shared bytes never change; what comes after them needs its own.
        received_ = shown_.view();
        shown_ = SharedText();
    }
    received_.append(bytes);
}

void ProgramLines::show(SharedText text) {
    clear();
    shown_ = std::move(text);
}

void ProgramLines::clear() {
    // A new program may be far smaller; the old one's room goes back.
    std::string().swap(received_);
    shown_ = SharedText();
    index_.clear();
}

bool ProgramLines::indexMore(std::size_t bytes) {
    const bool first = index_.size() == 0;
    index_.append(this->bytes().substr(index_.size(), bytes));
    if (first) {
        reserveLines();
    }
    return !fullyIndexed();
}

void ProgramLines::reserveLines() {
    // The first slice tells how long the lines are; room for all of them at
    // once spares the copies of a growing index, and untouched room costs
    // no memory.
    const double linesPerByte =
        static_cast<double>(count()) / static_cast<double>(std::max<std::size_t>(index_.size(), 1));
    index_.reserve(
        static_cast<std::size_t>(linesPerByte * static_cast<double>(bytes().size()) * 1.125) + 16);
}

std::string ProgramLines::joined(std::string_view lineBreak) const {
    std::string text;
    text.reserve(bytes().size() + count() * lineBreak.size());
    for (std::size_t index = 0; index < count(); ++index) {
        if (index > 0) {
            text += lineBreak;
        }
        text += line(index);
    }
    return text;
}

} // namespace drovane
