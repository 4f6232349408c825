#include "window/unicode_case.h"

#include <gtest/gtest.h>

using drovane::foldedCase;
using drovane::upperCase;

namespace {

TEST(UnicodeCase, UpperCaseCoversTheEuropeanAlphabets) {
    const struct {
        const char* text;
        const char* upper;
    } cases[] = {
        {"nc", "NC"},       {"äöüéñ", "ÄÖÜÉÑ"},   {"ÿ", "Ÿ"},   {"ß", "ß"},
        {"÷", "÷"},         {"łśźćęą", "ŁŚŹĆĘĄ"}, {"ňž", "ŇŽ"}, {"ωσς", "ΩΣΣ"},
        {"зубёђ", "ЗУБЁЂ"}, {"1-_.", "1-_."},     {"µ", "µ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(upperCase(c.text), c.upper) << c.text;
    }
}

TEST(UnicodeCase, FoldingMakesUpperAndLowerCaseEqual) {
    const char* pairs[][2] = {
        {"P1.NC", "p1.nc"}, {"ÄNDERUNG", "änderung"}, {"ŸŽŇĲ", "ÿžňĳ"}, {"ΣΩ", "σω"}, {"ЀЯ", "ѐя"},
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(foldedCase(pair[0]), foldedCase(pair[1])) << pair[0];
    }
    EXPECT_NE(foldedCase("×"), foldedCase("÷"));
    EXPECT_NE(foldedCase("A"), foldedCase("B"));
    EXPECT_EQ(foldedCase("Ä").size(), 1U);
}

// Every byte survives, so a name that is no valid UTF-8 still shows and
// still tells apart from its neighbours.
TEST(UnicodeCase, BrokenSequencesStandForTheirBytes) {
    const std::string broken[] = {
        "a\xff",        "\xc3", "\xc3(", "\xe2\x82", "\xed\xa0\x80", "\xc0\xaf", "\xf4\x90\x80\x80",
        "\xe0\x80\xaf",
    };
    for (const std::string& text : broken) {
        EXPECT_EQ(upperCase(text), [&] {
            std::string expected = text;
            if (expected[0] == 'a') {
                expected[0] = 'A';
            }
            return expected;
        }()) << testing::PrintToString(text);
        EXPECT_EQ(foldedCase(text).size(), text.size()) << testing::PrintToString(text);
    }
    EXPECT_NE(foldedCase("\xfe"), foldedCase("\xff"));
    EXPECT_EQ(upperCase("\xf0\x9f\x98\x80x"), "\xf0\x9f\x98\x80X");
}

} // namespace
