#include "window/line_index.h"
#include "window/program_lines.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

using namespace drovane;

namespace {

struct IndexCase {
    std::string bytes;
    std::vector<std::string> lines;
    std::size_t widest;
};

const IndexCase kCases[] = {
    {"", {""}, 0},
    {"N10", {"N10"}, 3},
    {"N10\nN20", {"N10", "N20"}, 3},
    {"N10\r\nN20\r\n", {"N10", "N20", ""}, 3},
    {"N10\rN20", {"N10", "N20"}, 3},
    {"\r\n\r\n", {"", "", ""}, 0},
    {"\n\r", {"", "", ""}, 0},
    {"a\r\r\nb", {"a", "", "b"}, 1},
    {"\tX", {"\tX"}, 9},
    {"ab\tc\t", {"ab\tc\t"}, 16},
    {"%\nN1\tG0\r\nN22", {"%", "N1\tG0", "N22"}, 10},
};

// Spans of two and four bytes cut these texts as a program beyond 4 GiB is cut.
const int kSpanBits[] = {LineIndex::WidestSpanBits, 2, 1};

std::vector<std::string> linesOf(const LineIndex& index, const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t line = 0; line < index.lineCount(); ++line) {
        lines.emplace_back(index.line(text, line));
    }
    return lines;
}

} // namespace

// Every cut of every text in two, and byte by byte, as a reception arrives.
TEST(LineIndex, LinesAreTheSameWhereverTheBytesWereCut) {
    for (const int spanBits : kSpanBits) {
        for (const IndexCase& c : kCases) {
            for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
                LineIndex index(spanBits);
                index.append(std::string_view(c.bytes).substr(0, cut));
                index.append(std::string_view(c.bytes).substr(cut));
                EXPECT_EQ(linesOf(index, c.bytes), c.lines)
                    << c.bytes << " cut at " << cut << ", span bits " << spanBits;
                EXPECT_EQ(index.widestColumns(), c.widest) << c.bytes;
                EXPECT_EQ(index.size(), c.bytes.size());
            }
            LineIndex bytewise(spanBits);
            for (const char byte : c.bytes) {
                bytewise.append(std::string_view(&byte, 1));
            }
            EXPECT_EQ(linesOf(bytewise, c.bytes), c.lines)
                << c.bytes << " byte by byte, span bits " << spanBits;
        }
    }
}

TEST(LineIndex, AnOffsetBelongsToTheLineThatHoldsIt) {
    const std::string text = "N1\r\n\nN3 a long last line";
    const std::size_t expected[] = {0, 0, 0, 0, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    for (const int spanBits : kSpanBits) {
        LineIndex index(spanBits);
        index.append(text);
        for (std::size_t offset = 0; offset < std::size(expected); ++offset) {
            EXPECT_EQ(index.lineAt(offset), expected[offset])
                << offset << ", span bits " << spanBits;
        }
    }
}

TEST(LineIndex, ClearingForgetsLinesWidthAndAPendingCr) {
    LineIndex index;
    index.append("a long first line\r");
    index.clear();
    index.append("\nb");
    EXPECT_EQ(linesOf(index, "\nb"), (std::vector<std::string>{"", "b"}));
    EXPECT_EQ(index.widestColumns(), 1U);
}

TEST(LineIndex, ColumnsOfAPieceOfALineCountTabsToTheirStop) {
    EXPECT_EQ(displayColumns("ab"), 2U);
    EXPECT_EQ(displayColumns("ab\t"), 8U);
    EXPECT_EQ(displayColumns("\t\t"), 16U);
    EXPECT_EQ(displayColumns("1234567\tX"), 9U);
}

TEST(ProgramLines, BytesBecomeLinesAsTheyAreIndexedASliceAtATime) {
    ProgramLines lines;
    lines.append("N10\r");
    EXPECT_EQ(lines.count(), 1U);
    EXPECT_FALSE(lines.fullyIndexed());
    EXPECT_TRUE(lines.indexMore(2));
    EXPECT_EQ(lines.line(0), "N1");
    lines.append("\nN20");
    EXPECT_FALSE(lines.indexMore(100));
    EXPECT_EQ(lines.joined("|"), "N10|N20");
    lines.show(SharedText(std::string("A\nB\nC")));
    EXPECT_EQ(lines.count(), 1U) << "a new text starts unindexed";
    lines.indexMore(4);
    EXPECT_EQ(lines.joined("|"), "A|B|");
    lines.indexMore(1);
    EXPECT_EQ(lines.joined("|"), "A|B|C");
}

TEST(ProgramLines, ShownBytesOutliveTheirHolderAndNeverChange) {
    SharedText program(std::string("N10\nN20"));
    const SharedText kept = program;
    ProgramLines lines;
    lines.show(program);
    program = std::string("O1"); // a new program while the old one is still shown
    lines.indexMore(100);
    EXPECT_EQ(lines.joined("|"), "N10|N20");
    lines.append("\nN30");
    lines.indexMore(100);
    EXPECT_EQ(lines.joined("|"), "N10|N20|N30");
    EXPECT_EQ(kept, "N10\nN20") << "an arrival after a shared text goes to a copy";
}
