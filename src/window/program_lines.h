#pragma once

// The program as a view shows it: its Windows-1252 bytes as they came, and
// where each line begins. Bytes are kept at once and indexed a slice at a
// time, so a program of many megabytes shows its first lines at once and
// grows at the cost of the new bytes alone; nothing is converted until a
// line is drawn. A program shown whole is shared with its holder, not copied.

#include "window/line_index.h"
#include "window/shared_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace drovane {

class ProgramLines {
public:
    // Kept; indexMore() finds their lines.
    void append(std::string_view bytes);
    // Replaces the bytes with these, kept as long as they are shown.
    void show(SharedText text);
    void clear();
    // Indexes up to `bytes` more bytes; true while some are left.
    bool indexMore(std::size_t bytes);
    bool fullyIndexed() const { return index_.size() == bytes().size(); }

    // The lines indexed, never less than one: an empty text is one empty line.
    std::size_t count() const { return index_.lineCount(); }
    // Without its line end.
    std::string_view line(std::size_t index) const { return index_.line(bytes(), index); }
    std::size_t widestColumns() const { return index_.widestColumns(); }
    const LineIndex& index() const { return index_; }
    std::string_view bytes() const { return shown_.empty() ? std::string_view(received_) : shown_; }
    // The lines with `lineBreak` between them, as a toolkit's text wants them.
    std::string joined(std::string_view lineBreak) const;

private:
    void reserveLines();

    // One of the two holds the bytes: a text shown whole, or arrivals.
    SharedText shown_;
    std::string received_;
    LineIndex index_;
};

} // namespace drovane
