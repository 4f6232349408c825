#include "core/current_line.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace drovane;

TEST(Windows1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const auto utf8 = utf8FromWindows1252(all);
    EXPECT_EQ(windows1252FromUtf8(utf8), all);
    EXPECT_EQ(windows1252FromWide(wideFromWindows1252(all)), all);
    EXPECT_EQ(wideFromWindows1252("\x80\xE4"), L"\u20AC\u00E4");
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(windows1252FromUnicode(unicodeFromWindows1252(static_cast<unsigned char>(b))), b);
    }
}

TEST(Windows1252, MapsTheHighControlRangeToItsTypographicCharacters) {
    EXPECT_EQ(utf8FromWindows1252("\x80"), "\u20AC");
    EXPECT_EQ(utf8FromWindows1252("\x84\x93"), "\u201E\u201C");
    EXPECT_EQ(utf8FromWindows1252("Parit\xE4t"), "Parität");
    EXPECT_EQ(unicodeFromWindows1252(0x81), U'\u0081');
    EXPECT_EQ(windows1252FromUtf8("Puffergrösse €"), "Puffergr\xF6sse \x80");
}

TEST(Windows1252, UnmappableOrBrokenUtf8BecomesAQuestionMark) {
    EXPECT_EQ(windows1252FromUtf8("\u4E2D"), "?");
    EXPECT_EQ(windows1252FromUtf8("a\xC3"), "a?");
    EXPECT_EQ(windows1252FromUtf8("\xC3(x"), "?(x");
    EXPECT_EQ(windows1252FromUtf8("\xFF"), "?");
    EXPECT_EQ(windows1252FromUtf8("\xF0\x9F\x98\x80!"), "?!");
    EXPECT_EQ(windows1252FromUnicode(0x0080), '?'); // C1 controls that 0x80-0x9F do not carry
    EXPECT_EQ(windows1252FromWide(L"\u4E2Dx"), "?x");
    EXPECT_EQ(windows1252FromWide(std::wstring(1, static_cast<wchar_t>(0xD83D))), "?");
}

TEST(CurrentLine, MarkStepRecordsTheCallersLine) {
    markStep();
    const int expected = __LINE__ - 1;
    EXPECT_EQ(CurrentLine.load(), expected);
}
