#include "window/text_selection.h"

#include <gtest/gtest.h>

using namespace drovane;

namespace {

ProgramLines program() {
    ProgramLines lines;
    lines.append("%\nN10 G01 X5\r\n\rN40 M30");
    lines.indexMore(100);
    return lines;
}

} // namespace

TEST(TextSelection, TakesTheMarkedTextWhicheverWayItWasDragged) {
    const ProgramLines lines = program();
    const struct {
        TextPosition anchor;
        TextPosition caret;
        std::string_view text;
    } cases[] = {
        {{1, 4}, {1, 7}, "G01"},
        {{1, 7}, {1, 4}, "G01"},
        {{1, 8}, {3, 3}, "X5\r\n\r\nN40"},
        {{3, 3}, {1, 8}, "X5\r\n\r\nN40"},
        {{0, 1}, {1, 0}, "\r\n"},
        {{2, 0}, {2, 0}, ""},
        {{1, 99}, {3, 99}, "\r\n\r\nN40 M30"}, // past a line's end means its end
    };
    for (const auto& example : cases) {
        TextSelection selection;
        selection.startAt(example.anchor);
        selection.extendTo(example.caret);
        EXPECT_EQ(selection.text(lines, "\r\n"), example.text)
            << example.anchor.line << ':' << example.anchor.column << " to " << example.caret.line
            << ':' << example.caret.column;
    }
}

TEST(TextSelection, MarksOnlyTheLinesItCovers) {
    const ProgramLines lines = program();
    TextSelection selection;
    selection.startAt({3, 2});
    selection.extendTo({1, 4});
    EXPECT_FALSE(selection.spanOn(0, 1));
    const auto first = selection.spanOn(1, 10);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->from, 4U);
    EXPECT_EQ(first->to, 10U);
    EXPECT_TRUE(first->throughBreak);
    const auto last = selection.spanOn(3, 7);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->from, 0U);
    EXPECT_EQ(last->to, 2U);
    EXPECT_FALSE(last->throughBreak);
    EXPECT_FALSE(selection.spanOn(4, 0));
    selection.selectAll(lines);
    EXPECT_EQ(selection.text(lines, "\r\n"), lines.joined("\r\n"));
    selection.clear();
    EXPECT_TRUE(selection.empty());
    EXPECT_FALSE(selection.spanOn(0, 1));
}
