#include "win32/program_lines.h"

#include <gtest/gtest.h>

using namespace drovane;

TEST(ProgramLines, PiecesJoinIntoLinesWhereverTheyWereCut) {
    ProgramLines lines;
    lines.append(L"N10 G0");
    lines.append(L"1 X5\r\nN20");
    lines.append(L"\r\n");
    lines.append(L"\r\nN40 M30");
    ASSERT_EQ(lines.count(), 4U);
    EXPECT_EQ(lines.line(0), L"N10 G01 X5");
    EXPECT_EQ(lines.line(1), L"N20");
    EXPECT_EQ(lines.line(2), L"");
    EXPECT_EQ(lines.line(3), L"N40 M30");
    EXPECT_EQ(lines.joined(), L"N10 G01 X5\r\nN20\r\n\r\nN40 M30");
    EXPECT_EQ(lines.length(), lines.joined().size());
    EXPECT_EQ(lines.longestLine(), 10U); // grown across two pieces
}

TEST(ProgramLines, ATextEndingInABreakHasAnEmptyLastLine) {
    ProgramLines lines;
    lines.append(L"%\r\n");
    EXPECT_EQ(lines.count(), 2U);
    EXPECT_EQ(lines.joined(), L"%\r\n");
}

TEST(ProgramLines, ClearingLeavesOneEmptyLineAndForgetsTheWidth) {
    ProgramLines lines;
    lines.append(L"a very long line\r\nb");
    lines.clear();
    EXPECT_EQ(lines.count(), 1U);
    EXPECT_EQ(lines.line(0), L"");
    EXPECT_EQ(lines.length(), 0U);
    EXPECT_EQ(lines.longestLine(), 0U);
    lines.append(L"x");
    EXPECT_EQ(lines.joined(), L"x");
}
