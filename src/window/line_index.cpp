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
            starts_.back() = offset;
            endsInCr_ = false;
            continue;
        }
        endsInCr_ = byte == '\r';
        if (byte == '\r' || byte == '\n') {
            widest_ = std::max(widest_, openColumns_);
            openColumns_ = 0;
            starts_.push_back(offset);
        } else {
            openColumns_ = nextColumn(openColumns_, byte);
        }
    }
    size_ = offset;
    widest_ = std::max(widest_, openColumns_);
}

void LineIndex::clear() {
    std::vector<std::size_t>{0}.swap(starts_);
    size_ = 0;
    openColumns_ = 0;
    widest_ = 0;
    endsInCr_ = false;
}

std::string_view LineIndex::line(std::string_view text, std::size_t line) const {
    const std::size_t begin = starts_.at(line);
    const std::size_t end = line + 1 < starts_.size() ? starts_[line + 1] : size_;
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
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
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
