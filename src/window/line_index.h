#pragma once

// Where the lines of a program begin, found in one pass over its bytes and
// grown as a reception arrives, so that a view of any size draws only the
// lines in sight. A CR LF, a lone CR and a lone LF each end one line, as the
// editor has always shown them; a CR LF cut between two arrivals is one end.
// A start takes four bytes, its offset within the 4 GiB span of the text it
// falls in; the spans are found from the first line of each.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace drovane {

class LineIndex {
public:
    // A tab moves on to the next multiple of this many columns.
    static constexpr std::size_t TabColumns = 8;
    // A start's offset within its span fits in four bytes.
    static constexpr int WidestSpanBits = 32;

    // Narrower spans let a short text cross many of them.
    explicit LineIndex(int spanBits = WidestSpanBits) : spanBits_(spanBits) {}

    // The bytes that follow those given so far.
    void append(std::string_view bytes);
    void clear();
    // Room for this many lines, so that growing copies nothing.
    void reserve(std::size_t lines) { starts_.reserve(lines); }

    // Never less than one: an empty text is one empty line.
    std::size_t lineCount() const { return starts_.size(); }
    std::size_t lineStart(std::size_t line) const;
    // The line's bytes without its end, cut out of the text indexed.
    std::string_view line(std::string_view text, std::size_t line) const;
    // The line that holds the byte at this offset.
    std::size_t lineAt(std::size_t offset) const;
    // The bytes indexed.
    std::size_t size() const { return size_; }
    // Of the widest line, tabs drawn as the view draws them.
    std::size_t widestColumns() const { return widest_; }

private:
    void addStart(std::uint64_t offset);
    std::size_t spanOf(std::size_t line) const;

    std::uint32_t withinSpan(std::uint64_t offset) const;

    int spanBits_;
    std::vector<std::uint32_t> starts_{0};
    // The first line starting in each span after the first.
    std::vector<std::size_t> spanFirstLines_;
    std::size_t size_ = 0;
    std::size_t openColumns_ = 0;
    std::size_t widest_ = 0;
    // The last byte was a CR: an LF that comes next ends no further line.
    bool endsInCr_ = false;
};

// The columns these bytes of a line take, tabs expanded.
std::size_t displayColumns(std::string_view line);

} // namespace drovane
