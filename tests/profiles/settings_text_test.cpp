#include "profiles/settings_text.h"

#include <gtest/gtest.h>

using namespace drovane;

TEST(SettingsText, NamesMatchIgnoringTheCaseOfAToZOnly) {
    EXPECT_TRUE(sameName("Maschine", "mASCHINE"));
    EXPECT_TRUE(sameName("COM-Nummer", "com-nummer"));
    EXPECT_FALSE(sameName("Parit\xE4t", "PARIT\xC4T")); // umlauts are not letters here
    EXPECT_FALSE(sameName("[", "{"));                   // 0x5B and 0x7B differ by the case bit
    EXPECT_FALSE(sameName("@", "`"));
    EXPECT_FALSE(sameName("Path", "Paths"));
    EXPECT_EQ(foldedName("XON_Senden[\xC4]"), "xon_senden[\xC4]");
}

TEST(SettingsText, ProgramBytesBecomeTwoByteUtf8AndComeBackUnchanged) {
    EXPECT_EQ(utf8FromLatin1("Parit\xE4t"), "Parit\xC3\xA4t");
    EXPECT_EQ(utf8FromLatin1("\x80\xFF"), "\xC2\x80\xC3\xBF");
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(latin1FromUtf8(utf8FromLatin1(all)), all);
}

TEST(SettingsText, FileTextTheProgramCannotCarryBecomesQuestionMarksOrIsDropped) {
    EXPECT_EQ(latin1FromUtf8("Gr\xC3\xB6\xC3\x9F"
                             "e"),
              "Gr\xF6\xDF"
              "e");
    EXPECT_EQ(latin1FromUtf8("\xC4\x80|"), "?|"); // U+0100 needs more than a byte
    EXPECT_EQ(latin1FromUtf8("\xC3"
                             "A"),
              "?A"); // lead without continuation
    EXPECT_EQ(latin1FromUtf8("x\xC3"), "x?");
    EXPECT_EQ(latin1FromUtf8("\xE2\x82\xAC!"), "?!");     // three bytes, one '?'
    EXPECT_EQ(latin1FromUtf8("\xF0\x9F\x98\x80!"), "?!"); // four bytes, one '?'
    EXPECT_EQ(latin1FromUtf8("\xE2\x82"
                             "a"),
              "?a"); // cut short
    EXPECT_EQ(latin1FromUtf8("a\x80"
                             "b\xBF\xF8\xFF"
                             "c"),
              "abc"); // stray bytes vanish
}

TEST(SettingsText, LineBreaksInsideAWrittenTextBecomeBlanks) {
    EXPECT_EQ(singleLine("*.nc\r\n[Evil]\rx\ny"), "*.nc  [Evil] x y");
    EXPECT_EQ(singleLine("plain"), "plain");
}
