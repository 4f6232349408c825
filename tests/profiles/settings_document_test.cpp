#include "profiles/settings_document.h"

#include <gtest/gtest.h>

using namespace drovane;

namespace drovane {
// Readable failure output instead of object bytes.
void PrintTo(const SettingsEntry& entry, std::ostream* out) {
    constexpr const char* Kinds[] = {"header", "comment", "key"};
    *out << Kinds[static_cast<int>(entry.kind)] << " '" << entry.text << "' = '" << entry.value
         << "'";
}
} // namespace drovane

namespace {

SettingsEntry header(std::string name) {
    return {EntryKind::Header, std::move(name), {}};
}
SettingsEntry comment(std::string text) {
    return {EntryKind::Comment, std::move(text), {}};
}
SettingsEntry key(std::string text, std::string value) {
    return {EntryKind::Key, std::move(text), std::move(value)};
}

std::vector<SettingsEntry> entriesOf(std::string_view bytes) {
    return parseSettings(bytes).entries;
}

} // namespace

TEST(SettingsParse, AnyRunOfLineBreaksSeparatesLinesAndBlankLinesVanish) {
    const std::vector<SettingsEntry> expected = {key("a", "1"), key("b", "2"), key("c", "3"),
                                                 key("d", "4"), header("g")};
    EXPECT_EQ(entriesOf("a=1\r\nb=2\nc=3\rd=4\r\n\r\n\n\r \t \r\n[g]"), expected);
    EXPECT_EQ(entriesOf("\n\n\r\n"), std::vector<SettingsEntry>{});
}

TEST(SettingsParse, CommentsDropExactlyOneSpaceAfterTheSemicolon) {
    const std::vector<SettingsEntry> expected = {comment("one"), comment(" two"), comment("x"),
                                                 comment("\tt"), comment(""),     comment("a = b")};
    EXPECT_EQ(entriesOf("; one\n;  two\n \t;x\n;\tt\n;\n; a = b"), expected);
}

TEST(SettingsParse, HeaderNameRunsToTheFirstClosingBracket) {
    const std::vector<SettingsEntry> expected = {header(" My Group "), header("open end"),
                                                 header(""), header("a[b")};
    EXPECT_EQ(entriesOf("  [ My Group ] trailing text\n[open end\n[]\n[a[b]c]"), expected);
}

TEST(SettingsParse, KeyEndsAtTheFirstEqualsAndTheValueKeepsTrailingBlanks) {
    const std::vector<SettingsEntry> expected = {
        key("Key", "value  "), key("Flag", ""),     key("", "only value"), key("k", "a=b ; c [d]"),
        key("Leer", ""),       key("mid dle", "x"), key("Tab", "inner\t")};
    EXPECT_EQ(entriesOf("\t Key\t =  value  \nFlag\n=only value\nk=a=b ; c [d]\nLeer = \n"
                        "mid dle=x\nTab= \t\tinner\t"),
              expected);
}

TEST(SettingsParse, TheByteOrderMarkSwitchesToUtf8ModeOnlyAtTheVeryStart) {
    const SettingsDocument utf8 = parseSettings("\xEF\xBB\xBF\r\n[Gr\xC3\xB6\xC3\x9F"
                                                "e]");
    EXPECT_TRUE(utf8.utf8);
    EXPECT_EQ(utf8.entries, std::vector<SettingsEntry>{header("Gr\xC3\xB6\xC3\x9F"
                                                              "e")});

    const SettingsDocument cut = parseSettings("\xEF\xBB");
    EXPECT_FALSE(cut.utf8);
    EXPECT_EQ(cut.entries, std::vector<SettingsEntry>{key("\xEF\xBB", "")});

    const SettingsDocument later = parseSettings("\n\xEF\xBB\xBFk=v");
    EXPECT_FALSE(later.utf8);
    EXPECT_EQ(later.entries, std::vector<SettingsEntry>{key("\xEF\xBB\xBFk", "v")});
}

TEST(SettingsSerialize, WritesTheNormalisedFormWithCrLf) {
    SettingsDocument document;
    document.entries = {key("Maschine", "Fanuc10t"), header("Fanuc10t"), comment("----"),
                        key("Stringausgabe_Beginn", ""), key("Parit\xE4t", "  padded  ")};
    EXPECT_EQ(serializeSettings(document), "Maschine = Fanuc10t\r\n[Fanuc10t]\r\n; ----\r\n"
                                           "Stringausgabe_Beginn = \r\n"
                                           "Parit\xE4t =   padded  \r\n");
    document.utf8 = true;
    EXPECT_EQ(serializeSettings(document).substr(0, 26), "\xEF\xBB\xBF\r\nMaschine = Fanuc10t\r\n");
}

TEST(SettingsSerialize, EmptyDocumentsAreEmptyFilesOrJustTheMark) {
    EXPECT_EQ(serializeSettings({}), "");
    EXPECT_EQ(serializeSettings({true, {}}), "\xEF\xBB\xBF\r\n");
}

TEST(SettingsSerialize, ParsingWhatWasWrittenGivesTheSameDocument) {
    const std::string messy = "  top=1  \r\n;c\r\r\n[ G ]x\n\tk = v=w\n;  spaced\n"
                              "Flag\n=\n[]\n[G]\nPuffergr\xF6sse_Senden=4096\n\x80\xFF=\x81";
    for (const bool utf8 : {false, true}) {
        const std::string file = utf8 ? "\xEF\xBB\xBF" + messy : messy;
        const SettingsDocument first = parseSettings(file);
        ASSERT_EQ(first.entries.size(), 11u);
        const std::string written = serializeSettings(first);
        EXPECT_EQ(parseSettings(written), first);
        EXPECT_EQ(serializeSettings(parseSettings(written)), written);
    }
}

TEST(SettingsSerialize, AnEightBitFileStartingWithTheMarkBytesStaysEightBit) {
    SettingsDocument document;
    document.entries = {key("\xEF\xBB\xBFk", "v")};
    const std::string written = serializeSettings(document);
    EXPECT_EQ(written, "\r\n\xEF\xBB\xBFk = v\r\n");
    EXPECT_EQ(parseSettings(written), document);
}
