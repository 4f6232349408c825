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

TEST(WideText, AProgramLineShowsAsWindows1252WithANulAsABlank) {
    EXPECT_EQ(shownProgramLine("\x80\xE4\xDF"), L"\u20AC\u00E4\u00DF"); // not Latin-1 or UTF-8
    EXPECT_EQ(shownProgramLine(std::string("A\0B", 3)), L"A B");
}
