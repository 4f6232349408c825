#include "profiles/settings_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace drovane;

namespace {

class SettingsFileTest : public fixtures::TempFolder {
protected:
    // Opens `bytes` as the settings file.
    SettingsFile& load(std::string_view bytes) {
        put(ini, bytes);
        EXPECT_TRUE(settings.open(ini));
        return settings;
    }
    // Closes and returns the bytes written.
    std::string saved() {
        EXPECT_TRUE(settings.close());
        return get(ini);
    }
    std::vector<std::string> groupNames() {
        std::vector<std::string> names;
        settings.beginGroupListing();
        while (settings.nextGroup()) {
            names.push_back(settings.currentGroupName());
        }
        return names;
    }

    SettingsFile settings;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(SettingsFileTest, AMissingFileReadsDefaultsAndIsCreatedOnlyByAChange) {
    EXPECT_FALSE(settings.open(ini));
    EXPECT_EQ(settings.readValue("Maschine", "Fanuc10t"), "Fanuc10t");
    EXPECT_FALSE(settings.selectGroup("Fanuc10t"));
    EXPECT_EQ(groupNames(), Names{});
    EXPECT_TRUE(settings.close());
    EXPECT_FALSE(std::filesystem::exists(ini));

    settings.open(ini);
    settings.writeValue("Pattern", "*.nc");
    EXPECT_EQ(saved(), "Pattern = *.nc\r\n");
}

TEST_F(SettingsFileTest, ReadValueTrimsBlanksAndKeepsAnEmptyValueEmpty) {
    load("Path =  \t/home/nc/ \t\r\nLeer = \r\nFlag\r\n");
    EXPECT_EQ(settings.readValue("Path", "x"), "/home/nc/");
    EXPECT_EQ(settings.readValue("Leer", "default"), "");
    EXPECT_EQ(settings.readValue("Flag", "default"), "");
    EXPECT_EQ(settings.readValue("Missing", "default"), "default");
}

TEST_F(SettingsFileTest, KeysMatchWithoutLetterCaseAndTheFirstOneWins) {
    load("baudrate=9600\r\nBAUDRATE=4800\r\n[M1]\r\nBaudrate=300\r\n");
    EXPECT_EQ(settings.readValue("Baudrate", ""), "9600");
    ASSERT_TRUE(settings.selectGroup("m1"));
    EXPECT_EQ(settings.readValue("Baudrate", ""), "300");
    // A section ends at the next header, in both directions.
    settings.selectGroup("");
    EXPECT_EQ(settings.readValue("Datenbits", "8"), "8");
}

TEST_F(SettingsFileTest, WritingAnExistingKeyKeepsItsPlaceAndTakesTheProgramsLetterCase) {
    load("  baudrate=9600   \r\nPath=/nc/\r\n");
    settings.writeValue("Baudrate", "19200");
    EXPECT_EQ(saved(), "Baudrate = 19200\r\nPath = /nc/\r\n");
}

TEST_F(SettingsFileTest, AnUnwrittenLineIsOnlyNormalisedByTheRewrite) {
    load("\r\n   Pattern=*.nc  \n;x\n\n[ A ] more\n");
    settings.writeValue("Maschine", "A");
    EXPECT_EQ(saved(), "Pattern = *.nc  \r\n; x\r\nMaschine = A\r\n[ A ]\r\n");
    settings.open(ini);
    EXPECT_EQ(settings.readValue("Pattern", ""), "*.nc");
    EXPECT_TRUE(settings.selectGroup(" A "));
}

TEST_F(SettingsFileTest, ATopLevelKeyGoesAfterTheTopSectionOrFirstWhenTheFileStartsWithAGroup) {
    load("[M1]\r\nBaudrate = 300\r\n");
    settings.writeValue("Maschine", "M1");
    EXPECT_EQ(saved(), "Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n");

    load("Maschine = M1\r\n; note\r\n[M1]\r\nBaudrate = 300\r\n");
    settings.writeValue("Path", "/nc/");
    EXPECT_EQ(saved(), "Maschine = M1\r\n; note\r\nPath = /nc/\r\n[M1]\r\nBaudrate = 300\r\n");
}

TEST_F(SettingsFileTest, AGroupKeyGoesAfterTheGroupsLastEntryEvenAComment) {
    load("[M1]\r\nBaudrate = 300\r\n; end of M1\r\n[M2]\r\n");
    ASSERT_TRUE(settings.selectGroup("M1"));
    settings.writeValue("Datenbits", "7");
    EXPECT_EQ(saved(), "[M1]\r\nBaudrate = 300\r\n; end of M1\r\nDatenbits = 7\r\n[M2]\r\n");
}

TEST_F(SettingsFileTest, CommentsLandBelowTheHeaderOrTheKeyJustWritten) {
    load("Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\nDatenbits = 8\r\n");
    ASSERT_TRUE(settings.selectGroup("M1"));
    settings.addComment("below header");
    settings.writeValue("Baudrate", "600");
    settings.addComment("below Baudrate");
    settings.selectGroup("");
    settings.addComment("top of file");
    EXPECT_EQ(saved(), "; top of file\r\nMaschine = M1\r\n[M1]\r\n; below header\r\n"
                       "Baudrate = 600\r\n; below Baudrate\r\nDatenbits = 8\r\n");
}

TEST_F(SettingsFileTest, AMissingGroupIsPendingUntilTheFirstWrite) {
    load("Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n");
    ASSERT_TRUE(settings.selectGroup("M1"));
    EXPECT_FALSE(settings.selectGroup("Neu"));
    // The old section stays current, but a pending group reads as empty.
    EXPECT_EQ(settings.readValue("Baudrate", "4800"), "4800");
    settings.addComment("----");
    settings.writeValue("Baudrate", "9600");
    settings.addComment("----");
    EXPECT_EQ(saved(), "Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n"
                       "[Neu]\r\n; ----\r\nBaudrate = 9600\r\n; ----\r\n");
}

TEST_F(SettingsFileTest, SelectingAgainDropsAPendingGroup) {
    load("[M1]\r\nBaudrate = 300\r\n");
    EXPECT_FALSE(settings.selectGroup("Neu"));
    ASSERT_TRUE(settings.selectGroup("M1"));
    EXPECT_EQ(settings.readValue("Baudrate", ""), "300");
    settings.writeValue("Baudrate", "600");
    EXPECT_FALSE(settings.selectGroup("Other"));
    EXPECT_TRUE(settings.selectGroup(""));
    settings.writeValue("Maschine", "M1");
    EXPECT_EQ(saved(), "Maschine = M1\r\n[M1]\r\nBaudrate = 600\r\n");
}

TEST_F(SettingsFileTest, ListingShowsDuplicatesAndMakesEachGroupCurrent) {
    load("Maschine = B\r\n[A]\r\nk = 1\r\n[b]\r\nk = 2\r\n[B]\r\nk = 3\r\n");
    EXPECT_EQ(groupNames(), (Names{"A", "b", "B"}));
    std::vector<std::string> values;
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        values.push_back(settings.readValue("k", ""));
    }
    EXPECT_EQ(values, (Names{"1", "2", "3"}));
    EXPECT_FALSE(settings.nextGroup());
    // Selection acts on the first of two equal names.
    ASSERT_TRUE(settings.selectGroup("B"));
    EXPECT_EQ(settings.currentGroupName(), "b");
    EXPECT_EQ(settings.readValue("k", ""), "2");
}

TEST_F(SettingsFileTest, WritingWhileListingChangesTheGroupUnderTheCursor) {
    load("[A]\r\n[B]\r\n");
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        settings.writeValue("Name", settings.currentGroupName());
    }
    EXPECT_EQ(saved(), "[A]\r\nName = A\r\n[B]\r\nName = B\r\n");
}

TEST_F(SettingsFileTest, RemovingAGroupTakesItsCommentsAndLeavesTheDuplicate) {
    load(
        "Maschine = M2\r\n[M2]\r\n; ----\r\nk = 1\r\n; ----\r\n[M1]\r\nk = 2\r\n[m2]\r\nk = 3\r\n");
    settings.removeGroup("m2");
    EXPECT_EQ(groupNames(), (Names{"M1", "m2"}));
    EXPECT_EQ(saved(), "Maschine = M2\r\n[M1]\r\nk = 2\r\n[m2]\r\nk = 3\r\n");
}

TEST_F(SettingsFileTest, RemovingTheCurrentGroupMakesTheTopLevelCurrent) {
    load("k = top\r\n[M1]\r\nk = m1\r\n[M2]\r\nk = m2\r\n");
    ASSERT_TRUE(settings.selectGroup("M1"));
    settings.removeGroup("M1");
    EXPECT_EQ(settings.currentGroupName(), "");
    EXPECT_EQ(settings.readValue("k", ""), "top");
    settings.writeValue("k", "new");
    EXPECT_EQ(saved(), "k = new\r\n[M2]\r\nk = m2\r\n");
}

TEST_F(SettingsFileTest, RemovingOtherGroupsKeepsTheCurrentOneAndTheListingInStep) {
    load("[A]\r\nk = a\r\n[B]\r\nk = b\r\n[C]\r\nk = c\r\n");
    ASSERT_TRUE(settings.selectGroup("C"));
    settings.removeGroup("A");
    EXPECT_EQ(settings.readValue("k", ""), "c");
    settings.writeValue("k", "C2");

    settings.beginGroupListing();
    ASSERT_TRUE(settings.nextGroup());
    EXPECT_EQ(settings.currentGroupName(), "B");
    settings.removeGroup("B");
    ASSERT_TRUE(settings.nextGroup());
    EXPECT_EQ(settings.currentGroupName(), "C");
    EXPECT_FALSE(settings.nextGroup());
    EXPECT_EQ(saved(), "[C]\r\nk = C2\r\n");
}

TEST_F(SettingsFileTest, EverythingAfterTheFirstEqualsIsTheValue) {
    load("Stringausgabe_Beginn=%;(a=b) [x]\r\n");
    EXPECT_EQ(settings.readValue("Stringausgabe_Beginn", ""), "%;(a=b) [x]");
}

TEST_F(SettingsFileTest, EightBitModeKeepsUmlautsAsSingleBytes) {
    EXPECT_FALSE(settings.open(ini));
    settings.selectGroup("M\xFC"
                         "hle");
    settings.writeValue("Parit\xE4t", "NOPARITY");
    EXPECT_EQ(saved(), "[M\xFC"
                       "hle]\r\nParit\xE4t = NOPARITY\r\n");
    settings.open(ini);
    ASSERT_TRUE(settings.selectGroup("M\xFC"
                                     "hle"));
    EXPECT_EQ(settings.readValue("Parit\xE4t", ""), "NOPARITY");
    EXPECT_EQ(settings.readValue("PARIT\xC4T", "none"), "none");
}

TEST_F(SettingsFileTest, Utf8ModeConvertsAtTheBoundaryAndKeepsTheMark) {
    load("\xEF\xBB\xBF[M\xC3\xBC"
         "hle]\nText=Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x82\xAC\n");
    EXPECT_EQ(groupNames(), Names{"M\xFC"
                                  "hle"});
    ASSERT_TRUE(settings.selectGroup("M\xFC"
                                     "hle"));
    EXPECT_EQ(settings.readValue("Text", ""), "Gr\xF6\xDF"
                                              "e ?");
    settings.writeValue("Parit\xE4t", "\xC4\x80");
    EXPECT_EQ(saved(), "\xEF\xBB\xBF\r\n[M\xC3\xBC"
                       "hle]\r\nText = Gr\xC3\xB6\xC3\x9F"
                       "e \xE2\x82\xAC\r\nParit\xC3\xA4t = \xC3\x84\xC2\x80\r\n");
    settings.open(ini);
    ASSERT_TRUE(settings.selectGroup("M\xFC"
                                     "hle"));
    EXPECT_EQ(settings.readValue("parit\xE4t", ""), "\xC4\x80");
}

// A decoded name that selects another group, or none, must not be used.
TEST_F(SettingsFileTest, AGroupNameThatDoesNotSurviveDecodingIsToldApart) {
    load("\xEF\xBB\xBF[Fanuc\xFF]\n[M\xC3\xBChle]\n[Euro\xE2\x82\xAC]\n[Kurz\xC3]\n[Frage?]\n");
    std::vector<bool> decodes;
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        decodes.push_back(settings.currentGroupNameDecodes());
    }
    EXPECT_EQ(decodes, (std::vector<bool>{false, true, false, false, true}));
}

TEST_F(SettingsFileTest, ALineBreakInAValueCannotSmuggleInAGroup) {
    load("Pattern = *.nc\r\n");
    settings.writeValue("Pattern", "*.nc\r\n[Evil]\r\nBaudrate=50");
    settings.close();
    settings.open(ini);
    EXPECT_EQ(groupNames(), Names{});
    settings.selectGroup("");
    EXPECT_EQ(settings.readValue("Pattern", ""), "*.nc  [Evil]  Baudrate=50");
}

TEST_F(SettingsFileTest, OpeningAgainAndDestroyingWriteOutstandingChanges) {
    load("");
    settings.writeValue("Maschine", "A");
    EXPECT_FALSE(settings.open(folder / "other.ini"));
    EXPECT_EQ(get(ini), "Maschine = A\r\n");
    {
        SettingsFile scoped;
        scoped.open(ini);
        scoped.writeValue("Path", "/nc/");
    }
    EXPECT_EQ(get(ini), "Maschine = A\r\nPath = /nc/\r\n");
}

TEST_F(SettingsFileTest, AClosedFileIgnoresChanges) {
    settings.writeValue("Maschine", "A");
    settings.addComment("x");
    EXPECT_TRUE(settings.close());
    EXPECT_EQ(entriesInFolder(), 0u);
}
