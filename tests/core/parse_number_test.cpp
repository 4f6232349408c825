#include "core/text.h"

#include <gtest/gtest.h>

using drovane::parseNumber;
using drovane::parseReal;

TEST(ParseNumber, ReadsDecimalHexAndBinaryWithBlanksAndSign) {
    EXPECT_EQ(parseNumber("04"), 4);
    EXPECT_EQ(parseNumber("$1B"), 27);
    EXPECT_EQ(parseNumber("$ff"), 255);
    EXPECT_EQ(parseNumber("%101"), 5);
    EXPECT_EQ(parseNumber(" \t-12"), -12);
    EXPECT_EQ(parseNumber("+7"), 7);
    EXPECT_EQ(parseNumber("-$10"), -16);
}

TEST(ParseNumber, StopsAtTheFirstCharacterOutsideTheBase) {
    EXPECT_EQ(parseNumber("300x"), 300);
    EXPECT_EQ(parseNumber("%1021"), 2);
    EXPECT_EQ(parseNumber("12 34"), 12);
    EXPECT_EQ(parseNumber("$1G"), 1);
    EXPECT_EQ(parseNumber("1A"), 1);
}

TEST(ParseNumber, TextWithoutDigitsGivesZero) {
    EXPECT_EQ(parseNumber(""), 0);
    EXPECT_EQ(parseNumber("Ja"), 0);
    EXPECT_EQ(parseNumber("$"), 0);
    EXPECT_EQ(parseNumber("- 5"), 0);
    EXPECT_EQ(parseNumber("\n5"), 0); // only blanks and tabs are skipped
}

TEST(ParseNumber, OverlongDigitStringsWrapInSixtyFourBits) {
    // 2^64 + 5 wraps to 5; callers take the low bits.
    EXPECT_EQ(parseNumber("18446744073709551621"), 5);
    EXPECT_EQ(parseNumber("$1FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(static_cast<std::uint8_t>(parseNumber("300")), 44);
    const std::string huge(10000, '9');
    (void)parseNumber(huge); // must not be undefined behaviour under UBSan
}

TEST(ParseReal, ReadsStopBitTexts) {
    EXPECT_DOUBLE_EQ(parseReal("1"), 1.0);
    EXPECT_DOUBLE_EQ(parseReal("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(parseReal(" 2"), 2.0);
    EXPECT_DOUBLE_EQ(parseReal("-0.25x"), -0.25);
    EXPECT_DOUBLE_EQ(parseReal("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(parseReal(""), 0.0);
}

TEST(IsYes, OnlyTheExactTextJaCounts) {
    EXPECT_TRUE(drovane::isYes("Ja"));
    EXPECT_FALSE(drovane::isYes("ja"));
    EXPECT_FALSE(drovane::isYes("JA"));
    EXPECT_FALSE(drovane::isYes("Ja "));
    EXPECT_FALSE(drovane::isYes("Nein"));
}
