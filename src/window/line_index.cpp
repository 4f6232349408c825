#include "window/line_index.h"

#include <algorithm>

namespace drovane {

namespace {

std::size_t nextColumn(std::size_t column, char byte) {
    return byte == '\t' ? (column / LineIndex::TabColumns + 1) * LineIndex::TabColumns : column + 1;
}

} // namespace

void LineIndex::append(std::string_view bytes) {
    std::size_t offset = size_;
    for (const char byte : bytes) {
        ++offset;
        if (byte == '\n' && endsInCr_) {
            // The line the CR opened is still empty; it starts behind the LF.
            starts_.pop_back();
            addStart(offset);
            endsInCr_ = false;
            continue;
        }
        endsInCr_ = byte == '\r';
        if (byte == '\r' || byte == '\n') {
            widest_ = std::max(widest_, openColumns_);
            openColumns_ = 0;
            addStart(offset);
        } else {
            openColumns_ = nextColumn(openColumns_, byte);
        }
    }
    size_ = offset;
    widest_ = std::max(widest_, openColumns_);
}

void LineIndex::addStart(std::uint64_t offset) {
    while (offset >> spanBits_ > spanFirstLines_.size()) {
        spanFirstLines_.push_back(starts_.size());
    }
    starts_.push_back(withinSpan(offset));
}

std::uint32_t LineIndex::withinSpan(std::uint64_t offset) const {
    return static_cast<std::uint32_t>(offset & ((std::uint64_t{1} << spanBits_) - 1));
}

std::size_t LineIndex::spanOf(std::size_t line) const {
    return static_cast<std::size_t>(
        std::upper_bound(spanFirstLines_.begin(), spanFirstLines_.end(), line) -
        spanFirstLines_.begin());
}

std::size_t LineIndex::lineStart(std::size_t line) const {
    return static_cast<std::size_t>((std::uint64_t{spanOf(line)} << spanBits_) | starts_.at(line));
}

void LineIndex::clear() {
    std::vector<std::uint32_t>{0}.swap(starts_);
    std::vector<std::size_t>().swap(spanFirstLines_);
    size_ = 0;
    openColumns_ = 0;
    widest_ = 0;
    endsInCr_ = false;
}

std::string_view LineIndex::line(std::string_view text, std::size_t line) const {
    const std::size_t begin = lineStart(line);
    const std::size_t end = line + 1 < starts_.size() ? lineStart(line + 1) : size_;
    std::string_view bytes = text.substr(begin, end - begin);
    if (bytes.ends_with('\n')) {
        bytes.remove_suffix(1);
    }
    if (bytes.ends_with('\r')) {
        bytes.remove_suffix(1);
    }
    return bytes;
}

std::size_t LineIndex::lineAt(std::size_t offset) const {
    // Within its span the starts rise, so the low four bytes order them.
    const auto span = static_cast<std::size_t>(std::uint64_t{offset} >> spanBits_);
    const auto firstLineOf = [this](std::size_t number) {
        const std::size_t line = number == 0                        ? 0
                                 : number <= spanFirstLines_.size() ? spanFirstLines_[number - 1]
                                                                    : starts_.size();
        return starts_.begin() + static_cast<std::ptrdiff_t>(line);
    };
    const auto first = firstLineOf(span);
    const auto last = firstLineOf(span + 1);
    const auto after = std::upper_bound(first, last, withinSpan(offset));
    return static_cast<std::size_t>(after - starts_.begin()) - 1;
}

std::size_t displayColumns(std::string_view line) {
    std::size_t column = 0;
    for (const char byte : line) {
        column = nextColumn(column, byte);
    }
    return column;
}

} // namespace drovane
