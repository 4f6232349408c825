#include "win32/editor_line_breaks.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drovane;

TEST(WideText, CarriesEveryUtf8CharacterBothWays) {
    struct Case {
        std::string utf8;
        std::wstring wide;
    };
    const std::vector<Case> cases{
        {"", L""},
        {"Übertragung starten", L"\u00DCbertragung starten"},
        {"Programm auswählen", L"Programm ausw\u00E4hlen"},
        {"€ 5", L"\u20AC 5"},                    // three UTF-8 bytes, not 1252's 0x80
        {"\u4E2D\u6587.nc", L"\u4E2D\u6587.nc"}, // a file name 1252 cannot carry
        {"\U0001D11E", L"\xD834\xDD1E"},         // outside the basic plane: a surrogate pair
    };
    for (const Case& each : cases) {
        EXPECT_EQ(wideFromUtf8(each.utf8), each.wide) << each.utf8;
        EXPECT_EQ(utf8FromWide(each.wide), each.utf8) << each.utf8;
    }
}

TEST(WideText, BrokenInputBecomesTheReplacementCharacterNotNothing) {
    EXPECT_EQ(wideFromUtf8("a\xFF"
                           "b"),
              L"a\uFFFDb");
    EXPECT_EQ(utf8FromWide(std::wstring{L'x', static_cast<wchar_t>(0xD834)}), "x\uFFFD");
}

TEST(EditorLineBreaks, EveryKindOfLineEndIsOneBreakOfTheControl) {
    struct Case {
        std::string bytes;
        std::wstring shown;
    };
    const std::vector<Case> cases{
        {"N10\r\nN20", L"N10\r\nN20"},
        {"N10\nN20", L"N10\r\nN20"},
        {"N10\rN20", L"N10\r\nN20"},
        {"N10\r\n\r\nN20", L"N10\r\n\r\nN20"}, // an empty line stays
        {"N10\n\rN20", L"N10\r\n\r\nN20"},     // LF CR is two breaks
        {"N10\r\r\nN20", L"N10\r\n\r\nN20"},
        {"\x80\xE4\xDF", L"\u20AC\u00E4\u00DF"}, // Windows-1252, not Latin-1 or UTF-8
        {std::string("A\0B", 3), L"A B"},        // a NUL would end the control's text
    };
    for (const Case& each : cases) {
        EditorLineBreaks breaks;
        EXPECT_EQ(breaks.toEditor(each.bytes), each.shown);
    }
}

TEST(EditorLineBreaks, ACrLfSplitAcrossTwoPiecesIsOneBreak) {
    EditorLineBreaks breaks;
    EXPECT_EQ(breaks.toEditor("N10\r"), L"N10\r\n");
    EXPECT_EQ(breaks.toEditor("\nN20\r"), L"N20\r\n");
    EXPECT_EQ(breaks.toEditor("N30"), L"N30"); // a lone CR was a break of its own
    EXPECT_EQ(breaks.toEditor("\n"), L"\r\n");
}

TEST(EditorLineBreaks, ANewTextDoesNotSwallowItsFirstLineFeed) {
    EditorLineBreaks breaks;
    EXPECT_EQ(breaks.toEditor("N10\r"), L"N10\r\n");
    breaks.reset();
    EXPECT_EQ(breaks.toEditor("\nN20"), L"\r\nN20");
}
