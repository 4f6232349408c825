#pragma once

// The program editor's text as lines. A program of many megabytes grows here
// a slice at a time at the cost of the slice alone, which the system's edit
// control cannot do: it reworks its whole text on every insertion.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace drovane {

class ProgramLines {
public:
    // Text with "\r\n" between lines; the last line stays open for more.
    void append(std::wstring_view text);
    void clear();

    // Never less than one: an empty text is one empty line.
    std::size_t count() const { return lines_.size(); }
    std::wstring_view line(std::size_t index) const { return lines_.at(index); }
    // Characters with two for each line break, as the text was given.
    std::size_t length() const { return length_; }
    std::size_t longestLine() const { return longest_; }
    std::wstring joined() const;

private:
    // A deque never moves the lines it has when it grows.
    std::deque<std::wstring> lines_{std::wstring()};
    std::size_t length_ = 0;
    std::size_t longest_ = 0;
};

} // namespace drovane
