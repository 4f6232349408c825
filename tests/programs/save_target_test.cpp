#include "programs/program_file.h"
#include "temp_folder.h"

#include <string>

namespace fs = std::filesystem;
using drovane::inspectSaveTarget;
using drovane::isValidFileName;
using drovane::saveTargetPath;
using drovane::SaveTargetState;

TEST(SaveTargetPath, ThePatternGivesTheExtensionOnlyWhenTheNameHasNone) {
    struct Case {
        const char* name;
        const char* pattern;
        const char* target;
    };
    const Case cases[] = {
        {"P1", "*.nc", "/nc/P1.nc"},         {"P1.txt", "*.nc", "/nc/P1.txt"},
        {"P1.", "*.nc", "/nc/P1..nc"},       {"P1", "*.*", "/nc/P1.*"},
        {"P1", "*.H", "/nc/P1.H"},           {"P1", "*", "/nc/P1."},
        {"sub/P1", "*.nc", "/nc/sub/P1.nc"}, {"v1.2/P1", "*.nc", "/nc/v1.2/P1.nc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(saveTargetPath("/nc/", c.name, c.pattern), c.target)
            << c.name << " with " << c.pattern;
    }
}

TEST(SaveTargetPath, ABackslashInTheNameSeparatesFoldersLikeTheDirectoryTextDoes) {
    EXPECT_EQ(saveTargetPath("/nc/", "sub\\P1", "*.nc"), "/nc/sub/P1.nc");
    EXPECT_EQ(saveTargetPath("/nc/", "a\\b.1\\P1", "*.nc"), "/nc/a/b.1/P1.nc");
    EXPECT_EQ(saveTargetPath("c:\\nc\\", "sub\\P1", "*.nc"), "c:\\nc\\sub\\P1.nc");
}

TEST(FileNames, EachForbiddenCharacterAndEveryControlByteIsRefused) {
    for (const char forbidden : std::string("\"\\/:*?<>|")) {
        EXPECT_FALSE(isValidFileName(std::string("P") + forbidden + "1")) << forbidden;
    }
    for (int control = 1; control < 32; ++control) {
        EXPECT_FALSE(isValidFileName("P1" + std::string(1, static_cast<char>(control)))) << control;
    }
    EXPECT_FALSE(isValidFileName(std::string("P\0"
                                             "1",
                                             3)));
    EXPECT_FALSE(isValidFileName(""));
    EXPECT_FALSE(isValidFileName("P1.*"));
}

TEST(FileNames, UmlautsBlanksAndOtherPrintableBytesAreAccepted) {
    EXPECT_TRUE(isValidFileName("Wellenabsatz \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F.nc")); // UTF-8
    EXPECT_TRUE(isValidFileName("Fl\xE4nsch \xDF.nc"));                               // 8-bit
    EXPECT_TRUE(isValidFileName("a !#$%&'()+,-.;=@[]^_`{}~\x7F\x80\xFF"));
}

class SaveTargetCheck : public drovane::testing::TempFolder {};

TEST_F(SaveTargetCheck, OnlyTheLastPathComponentIsJudged) {
    const auto target = inspectSaveTarget(directoryText(), "sub/P1", "*.nc");
    EXPECT_EQ(target.state, SaveTargetState::NoFile);
    EXPECT_EQ(target.path, directoryText() + "sub/P1.nc");

    EXPECT_EQ(inspectSaveTarget(directoryText(), "sub/P:1", "*.nc").state,
              SaveTargetState::InvalidName);
    EXPECT_EQ(inspectSaveTarget("/a:b?/", "P1", "*.nc").state, SaveTargetState::NoFile);
}

TEST_F(SaveTargetCheck, EachOutcomeOfTheCheck) {
    put(folder / "P1.nc", "old");
    fs::create_directories(folder / "P2.nc");

    EXPECT_EQ(inspectSaveTarget(directoryText(), "", "*.nc").state, SaveTargetState::EmptyName);
    EXPECT_EQ(inspectSaveTarget(directoryText(), "", "*.nc").path, "");
    EXPECT_EQ(inspectSaveTarget(directoryText(), "P1", "*.nc").state,
              SaveTargetState::ExistingFile);
    EXPECT_EQ(inspectSaveTarget(directoryText(), "P2", "*.nc").state, SaveTargetState::NoFile);
    EXPECT_EQ(inspectSaveTarget(directoryText(), "P3", "*.nc").state, SaveTargetState::NoFile);
    EXPECT_EQ(inspectSaveTarget(directoryText(), "P1", "*.*").state, SaveTargetState::InvalidName);
    EXPECT_EQ(inspectSaveTarget(directoryText(), "P<1", "*.nc").state,
              SaveTargetState::InvalidName);
}

// Windows refuses more than Linux: each case with what each system answers.
TEST_F(SaveTargetCheck, TargetsTheFileSystemWouldRefuseAreRefusedBeforeAnything) {
    constexpr bool onWindows = fs::path::preferred_separator == L'\\';
    struct Case {
        std::string name;
        const char* pattern;
        bool linuxTakes;
        bool windowsTakes;
    };
    // 245 + ".nc" leaves 7 for the temporary file's suffix; Windows also
    // counts the folder. The path pieces cut a name at a quote, Windows does not.
    const Case cases[] = {{"P1", "*.nc", true, true},
                          {std::string(245, 'L'), "*.nc", true, false},
                          {std::string(246, 'L'), "*.nc", false, false},
                          {"CON", "*.nc", true, false},
                          {"con.txt", "*.nc", true, false},
                          {"Com1", "*.nc", true, false},
                          {"LPT9.nc", "*.nc", true, false},
                          {"NUL ", "*.nc", true, false},
                          {"aux.", "*.nc", true, false},
                          {"COM10", "*.nc", true, true},
                          {"CONSOLE", "*.nc", true, true},
                          {"P1\"x", "*.nc", true, false},
                          {"P1.nc ", "*.nc", true, false},
                          {"P1", "*", true, false},
                          {"P:1", "*.nc", false, false}};
    for (const Case& c : cases) {
        const auto state = inspectSaveTarget(directoryText(), c.name, c.pattern).state;
        EXPECT_EQ(state != SaveTargetState::InvalidName, onWindows ? c.windowsTakes : c.linuxTakes)
            << c.name << " with " << c.pattern;
    }
}
