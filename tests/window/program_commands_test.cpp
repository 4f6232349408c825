// What a load, a save and an open by path do to the four program fields (the
// text, the editor, the file name and the tab title), the list and the disk.

#include "window/mode_switch.h"
#include "window/shown_text.h"
#include "window/tabs.h"
#include "window_logic_fixture.h"

#include <fstream>
#include <iterator>

namespace drovane::testing {
namespace {

using Lines = std::vector<std::string>;

class ProgramCommandsTest : public WindowLogicTest {
protected:
    ProgramCommandsTest() {
        makeFolder("nc");
        nc_ = folder("nc") + separator();
        files_.pointAt(nc_ + "*.*");
        view_.setText("DirectoryField", nc_);
    }

    static std::string separator() {
        return {static_cast<char>(std::filesystem::path::preferred_separator)};
    }
    void loadFile(const std::string& name, std::string_view bytes) {
        put("nc" + separator() + name, bytes);
        files_.pointAt(nc_);
        files_.select(name);
        programs_.loadProgram();
    }
    std::string inNc(std::string_view name) const {
        return contentOf("nc" + separator() + std::string(name));
    }
    void saveAs(std::string_view name) {
        switchMode(state_, view_, Mode::Receive);
        view_.setText("FileNameField", name);
        press("FileButton");
    }
    std::string tabTitle() const { return view_.tabTitle(ProgramTab); }
    // The text of the file the last log line names as the rescue, which is
    // then removed.
    std::string takeRescue() const {
        const std::string before = "Der empfangene Text liegt in ";
        const std::string& line = view_.status.back();
        if (!line.starts_with(before) || !line.ends_with(".")) {
            ADD_FAILURE() << line;
            return {};
        }
        const std::filesystem::path rescue =
            pathFromShown(line.substr(before.size(), line.size() - before.size() - 1));
        std::ifstream in(rescue, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), {}};
        in.close();
        std::filesystem::remove(rescue);
        return text;
    }
    std::string fileName() const { return view_.text("FileNameField"); }

    std::string nc_;
};

TEST_F(ProgramCommandsTest, LoadKeepsEveryByteUpToTheFirstNul) {
    view_.appendStatus("alt");
    const std::string bytes = "%\r\nO1 (\x80\xE4\xFF)\nN2 M30\r\n";
    loadFile("A.nc", bytes);
    EXPECT_EQ(state_.programText, bytes);
    EXPECT_EQ(view_.editor, bytes);
    EXPECT_EQ(fileName(), "A.nc");
    EXPECT_EQ(tabTitle(), "A.nc");
    EXPECT_EQ(view_.status, Lines{"CNC-Programm geladen."});

    loadFile("B.nc", std::string("N1\r\n\0N2 rest", 12));
    EXPECT_EQ(state_.programText, "N1\r\n");
    EXPECT_EQ(view_.editor, "N1\r\n");
    EXPECT_EQ(inNc("B.nc").size(), 12U) << "the file is not touched";
    // The operator learns that the program was cut, and where.
    EXPECT_EQ(view_.status, (Lines{"CNC-Programm geladen.",
                                   "Achtung! Die Datei enthält an Byte 5 ein HEX(00)-Zeichen; das "
                                   "Programm endet davor."}));
}

TEST_F(ProgramCommandsTest, EmptyFileGivesAnEmptyProgram) {
    loadFile("A.nc", "old text\n");
    loadFile("Z.nc", "");
    EXPECT_EQ(state_.programText, "");
    EXPECT_EQ(view_.editor, "");
    EXPECT_EQ(tabTitle(), "Z.nc");
}

TEST_F(ProgramCommandsTest, NothingLoadsWithoutAFileEntry) {
    makeFolder("nc" + separator() + "sub");
    loadFile("A.nc", "keep\n");
    for (const char* entry : {"sub", ".."}) {
        files_.select(entry);
        programs_.loadProgram();
    }
    files_.selectEntry(-1);
    programs_.loadProgram();
    EXPECT_EQ(state_.programText, "keep\n");
    EXPECT_EQ(fileName(), "A.nc");
}

TEST_F(ProgramCommandsTest, UnreadableFileIsReportedAndChangesNothing) {
    loadFile("A.nc", "keep\n");
    put("nc" + separator() + "gone.nc", "x");
    files_.pointAt(nc_);
    files_.select("gone.nc");
    std::filesystem::remove(std::filesystem::path(root_) / "nc" / "gone.nc");
    programs_.loadProgram();
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.informed(),
              Lines{"Drovane | Die Datei \"gone.nc\" kann nicht gelesen werden."});
    EXPECT_EQ(state_.programText, "keep\n");
    EXPECT_EQ(view_.editor, "keep\n");
    EXPECT_EQ(fileName(), "A.nc");
    EXPECT_EQ(tabTitle(), "A.nc");
}

TEST_F(ProgramCommandsTest, SaveRoundTripKeepsLineEndsAndHighBytes) {
    for (const std::string bytes : {"N1\r\nN2\r\n", "N1\nN2\n", "(\x80\x9F\xA0\xFF)\n"}) {
        loadFile("src.nc", bytes);
        saveAs("copy");
        EXPECT_EQ(inNc("copy.nc"), bytes);
        dialogs_.yesNoAnswers.push_back(true); // the next round replaces copy.nc
    }
    dialogs_.yesNoAnswers.clear();
    EXPECT_EQ(view_.status.back(), "Programm unter " + nc_ + "copy.nc gespeichert.");
    EXPECT_EQ(tabTitle(), "copy.nc");
}

TEST_F(ProgramCommandsTest, TargetTakesThePatternsExtensionAndListShowsNcAfterwards) {
    loadFile("src.nc", "N1\n");
    view_.setText("PatternField", "*.tap");
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"P1", "P1.tap"}, {"P2.", "P2..tap"}, {"P3.txt", "P3.txt"}};
    for (const auto& c : cases) {
        saveAs(c.typed);
        EXPECT_EQ(inNc(c.written), "N1\n") << c.typed;
    }
    EXPECT_EQ(files_.pattern(), "*.nc");
    EXPECT_EQ(view_.text("PatternField"), "*.tap");
}

TEST_F(ProgramCommandsTest, InvalidNamesAreRefusedWithTheMessage) {
    loadFile("src.nc", "N1\n");
    view_.setText("PatternField", "*.*");
    // The long name leaves no room for the temporary file's suffix.
    for (const std::string& name :
         {std::string("P1"), std::string("a:b.nc"), std::string("a?.nc"), std::string("a<b.nc"),
          std::string("a|b.nc"), std::string("a\tb.nc"), std::string(250, 'L') + ".nc"}) {
        dialogs_.calls.clear();
        saveAs(name);
        EXPECT_EQ(dialogs_.informed(), Lines{"Drovane | Der Dateiname enthält ungültige Zeichen !"})
            << name;
        EXPECT_EQ(state_.judgement.decision, OverwriteDecision::InvalidName);
    }
    files_.pointAt(nc_ + "*.*");
    EXPECT_EQ(files_.files(), Lines{"src.nc"});
    dialogs_.calls.clear();
    saveAs("Müß.nc");
    EXPECT_TRUE(dialogs_.calls.empty());
    EXPECT_EQ(inNc("Müß.nc"), "N1\n");
}

TEST_F(ProgramCommandsTest, OverwriteIsAskedAndAnswered) {
    put("nc" + separator() + "T.nc", "old old old old\n");
    loadFile("src.nc", "new\n");
    dialogs_.yesNoAnswers = {false};
    saveAs("T.nc");
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].title, "Datei überschreiben ?");
    EXPECT_EQ(dialogs_.calls[0].text,
              "Die Datei \"T.nc\" existiert bereits.\nMöchten Sie die Datei wirklich "
              "überschreiben ?");
    EXPECT_EQ(inNc("T.nc"), "old old old old\n");

    dialogs_.yesNoAnswers = {true};
    saveAs("T.nc");
    EXPECT_EQ(inNc("T.nc"), "new\n") << "shorter text leaves no old rest";

    makeFolder("nc" + separator() + "D.nc");
    dialogs_.calls.clear();
    saveAs("D.nc");
    EXPECT_TRUE(dialogs_.calls.empty()) << "a folder is no file to overwrite";
    ASSERT_GE(view_.status.size(), 2U);
    EXPECT_EQ(view_.status[view_.status.size() - 2],
              "Fehler! Programm konnte nicht unter " + nc_ + "D.nc gespeichert werden.");
    EXPECT_EQ(takeRescue(), "new\n");
}

TEST_F(ProgramCommandsTest, NothingIsSavedWithoutTextOrName) {
    saveAs("E.nc");
    EXPECT_FALSE(exists("nc" + separator() + "E.nc"));
    loadFile("src.nc", "N1\n");
    saveAs("");
    EXPECT_TRUE(dialogs_.calls.empty());
    files_.pointAt(nc_ + "*.*");
    EXPECT_EQ(files_.files(), Lines{"src.nc"});
}

TEST_F(ProgramCommandsTest, FailedSaveIsReportedAndChangesNothingElse) {
    loadFile("src.nc", "N1\n");
    put("plain", "x");
    const std::string below = folder("plain") + separator(); // a path below a regular file
    view_.setText("DirectoryField", below);
    view_.setText("FileNameField", "X.nc");
    const std::string listDirectory = files_.currentDirectory();
    const std::string listPattern = files_.pattern();
    programs_.checkSaveTarget();
    programs_.saveProgram();
    ASSERT_EQ(view_.status.size(), 3U);
    EXPECT_EQ(view_.status[1],
              "Fehler! Programm konnte nicht unter " + below + "X.nc gespeichert werden.");
    EXPECT_EQ(takeRescue(), "N1\n");
    EXPECT_EQ(tabTitle(), "src.nc");
    EXPECT_EQ(state_.programText, "N1\n");
    EXPECT_EQ(view_.editor, "N1\n");
    EXPECT_EQ(files_.currentDirectory(), listDirectory);
    EXPECT_EQ(files_.pattern(), listPattern);
}

TEST_F(ProgramCommandsTest, DecisionHoldsOnlyForTheJudgedPath) {
    loadFile("src.nc", "new\n");
    put("nc" + separator() + "B.nc", "keep B\n");
    switchMode(state_, view_, Mode::Receive);

    // Judged: no file at A.nc. Then the name is changed to an existing file.
    view_.setText("FileNameField", "A.nc");
    EXPECT_EQ(programs_.checkSaveTarget(), OverwriteDecision::NoFileOrEmptyName);
    view_.setText("FileNameField", "B.nc");
    dialogs_.yesNoAnswers = {false};
    programs_.saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 1U) << "asked again for the new path";
    EXPECT_EQ(inNc("B.nc"), "keep B\n");

    // Judged: no file at C.nc. Then a file appears there.
    view_.setText("FileNameField", "C.nc");
    EXPECT_EQ(programs_.checkSaveTarget(), OverwriteDecision::NoFileOrEmptyName);
    put("nc" + separator() + "C.nc", "appeared\n");
    dialogs_.yesNoAnswers = {false};
    programs_.saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 2U);
    EXPECT_EQ(inNc("C.nc"), "appeared\n");

    // The "No" now holds for C.nc: saving again neither asks nor writes.
    programs_.saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 2U);
    EXPECT_EQ(inNc("C.nc"), "appeared\n");

    // A "Yes" for the very path it judged is not asked again.
    dialogs_.yesNoAnswers = {true};
    EXPECT_EQ(programs_.checkSaveTarget(), OverwriteDecision::Overwrite);
    programs_.saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 3U);
    EXPECT_EQ(inNc("C.nc"), "new\n");
}

TEST_F(ProgramCommandsTest, ABackslashInTheNameSavesIntoTheSubfolder) {
    makeFolder("nc" + separator() + "sub");
    loadFile("src.nc", "N1\n");
    view_.setText("PatternField", "*.nc");
    saveAs("sub\\P1");
    EXPECT_EQ(inNc("sub" + separator() + "P1.nc"), "N1\n");
    EXPECT_EQ(tabTitle(), "P1.nc");
}

TEST_F(ProgramCommandsTest, OpenByPathShowsTheFoldersKindSelectsAndLoadsTheVeryFile) {
    // Folders come first: one whose name begins with the file's is no match.
    makeFolder("nc" + separator() + "P1.nc alt");
    put("nc" + separator() + "P1.nc", "one\n");
    put("nc" + separator() + "P1.tap", "tap\n");
    files_.pointAt(folder());
    programs_.openProgramByPath(nc_ + "P1.nc");
    EXPECT_EQ(files_.currentDirectory(), nc_);
    EXPECT_EQ(files_.pattern(), "*.nc");
    EXPECT_EQ(files_.entryName(files_.selectedIndex()), "P1.nc");
    EXPECT_EQ(view_.text("DirectoryField"), nc_);
    EXPECT_EQ(view_.focus, "FileList");
    EXPECT_EQ(fileName(), "P1.nc");
    EXPECT_EQ(state_.programText, "one\n");
    EXPECT_EQ(view_.editor, "one\n");

    put("nc" + separator() + "PLAIN", "plain\n");
    programs_.openProgramByPath(nc_ + "PLAIN");
    EXPECT_EQ(files_.pattern(), "*.");
    EXPECT_EQ(state_.programText, "plain\n");
}

TEST_F(ProgramCommandsTest, OpenByPathOfAMissingFileIsReportedAndKeepsTheProgram) {
    loadFile("A.nc", "keep\n");
    programs_.openProgramByPath(nc_ + "gone.nc");
    EXPECT_EQ(dialogs_.informed(),
              Lines{"Drovane | Die Datei \"gone.nc\" kann nicht gelesen werden."});
    EXPECT_EQ(files_.selectedIndex(), -1);
    EXPECT_EQ(state_.programText, "keep\n");
    EXPECT_EQ(fileName(), "A.nc");
}

} // namespace
} // namespace drovane::testing
