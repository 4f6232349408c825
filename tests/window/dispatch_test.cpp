// Which command runs for which event, and when a running job holds it back.

#include "window/control_kind.h"
#include "window/folder_chooser_start.h"
#include "window/mode_switch.h"
#include "window/settings_access.h"
#include "window_logic_fixture.h"

#include <set>
#include <utility>

namespace drovane::testing {
namespace {

using Lines = std::vector<std::string>;

class DispatchTest : public WindowLogicTest {
protected:
    DispatchTest() {
        makeFolder(sep("nc/sub"));
        put(sep("nc/P1.nc"), "N1 G0 X1\r\nM30\r\n");
        put(sep("nc/P10.nc"), "N1\n");
        put(sep("nc/Q2.tap"), "T\n");
        nc_ = folder(sep("nc/"));
        state_.ncDirectory = nc_;
        files_.pointAt(nc_ + "*.nc");
    }

    // A relative path with the system's separator.
    static std::string sep(std::string text) {
        for (char& c : text) {
            if (c == '/') {
                c = static_cast<char>(std::filesystem::path::preferred_separator);
            }
        }
        return text;
    }

    std::string nc_;
};

TEST_F(DispatchTest, DirectionButtonSwitchesPictureCaptionAndEmptiesTheName) {
    EXPECT_EQ(view_.text("FileButton"), "Programm laden");
    for (const Mode expected : {Mode::Receive, Mode::Send}) {
        view_.setText("FileNameField", "P1.nc");
        press("DirectionButton");
        EXPECT_EQ(state_.mode, expected);
        EXPECT_EQ(view_.picture, expected);
        EXPECT_EQ(view_.text("FileButton"),
                  expected == Mode::Receive ? "Programm speichern" : "Programm laden");
        EXPECT_EQ(view_.text("FileNameField"), "");
    }
}

TEST_F(DispatchTest, StartButtonStartsOrAbortsByJobState) {
    state_.abortRequest.raise();
    press("StartButton");
    ASSERT_EQ(transfersStarted_, std::vector<Mode>{Mode::Send});
    EXPECT_FALSE(state_.abortRequest.raised());

    holdJob();
    press("StartButton");
    EXPECT_EQ(transfersStarted_.size(), 1U);
    EXPECT_EQ(state_.abortRequest.value(), AbortRequest::Abort);

    // The window still shows a job whose thread has ended until its last report.
    endHeldJob();
    state_.jobInWindow = true;
    press("StartButton");
    EXPECT_EQ(transfersStarted_.size(), 1U);

    state_.jobInWindow = false;
    switchMode(state_, view_, Mode::Receive);
    press("StartButton");
    EXPECT_EQ(transfersStarted_, (std::vector<Mode>{Mode::Send, Mode::Receive}));
    EXPECT_FALSE(state_.abortRequest.raised());
}

TEST_F(DispatchTest, SendFromALineOnlyInSendModeWithoutAJob) {
    state_.abortRequest.raise();
    dispatch_.sendFromLine(12);
    EXPECT_EQ(sendsFrom_, std::vector<std::size_t>{12});
    EXPECT_FALSE(state_.abortRequest.raised());

    holdJob();
    state_.abortRequest.raise();
    dispatch_.sendFromLine(13);
    EXPECT_TRUE(state_.abortRequest.raised()) << "the running job's abort stays asked for";
    endHeldJob();

    switchMode(state_, view_, Mode::Receive);
    dispatch_.sendFromLine(14);
    EXPECT_EQ(sendsFrom_, std::vector<std::size_t>{12});
    EXPECT_TRUE(transfersStarted_.empty());
}

TEST_F(DispatchTest, ModeFileButtonAndListRestWhileAJobRuns) {
    holdJob();
    press("DirectionButton");
    EXPECT_EQ(state_.mode, Mode::Send);

    files_.select("P1.nc");
    view_.setText("DirectoryField", "unchanged");
    press("FileButton");
    for (const Trigger trigger :
         {Trigger::ListOpened, Trigger::ListChanged, Trigger::ListClicked}) {
        fire("FileList", trigger);
    }
    EXPECT_TRUE(state_.programText.empty());
    EXPECT_EQ(view_.text("DirectoryField"), "unchanged");

    // The same commands act once the job has ended.
    endHeldJob();
    press("FileButton");
    EXPECT_EQ(state_.programText, "N1 G0 X1\r\nM30\r\n");
    press("DirectionButton");
    EXPECT_EQ(state_.mode, Mode::Receive);
}

TEST_F(DispatchTest, ListEventsInSendMode) {
    files_.select("P1.nc");
    fire("FileList", Trigger::ListChanged);
    EXPECT_EQ(view_.text("DirectoryField"), nc_);
    EXPECT_EQ(view_.text("FileNameField"), "") << "a selection alone loads nothing";
    EXPECT_TRUE(state_.programText.empty());
    fire("FileList", Trigger::ListOpened);
    EXPECT_EQ(view_.text("FileNameField"), "P1.nc");
    EXPECT_EQ(state_.programText, "N1 G0 X1\r\nM30\r\n");
}

TEST_F(DispatchTest, ListEventsInReceiveMode) {
    switchMode(state_, view_, Mode::Receive);
    files_.select("sub");
    fire("FileList", Trigger::ListChanged);
    EXPECT_EQ(view_.text("FileNameField"), "") << "a folder is no name";
    files_.select("P10.nc");
    fire("FileList", Trigger::ListChanged);
    EXPECT_EQ(view_.text("FileNameField"), "P10.nc");
    fire("FileList", Trigger::ListOpened);
    EXPECT_TRUE(state_.programText.empty()) << "receive mode loads nothing";
}

TEST_F(DispatchTest, FileNameFieldSteersTheList) {
    const struct {
        const char* typed;
        const char* pattern;
        Lines listed;
    } cases[] = {
        {"P1*", "P1*", {"P1.nc", "P10.nc"}},
        {"P1.nc", "P1.nc", {"P1.nc"}},
        {"", "P1.nc", {"P1.nc"}}, // an empty field keeps the pattern
    };
    for (const auto& c : cases) {
        view_.setText("FileNameField", c.typed);
        fire("FileNameField", Trigger::Edited);
        EXPECT_EQ(files_.pattern(), c.pattern) << c.typed;
        EXPECT_EQ(files_.files(), c.listed) << c.typed;
        EXPECT_EQ(files_.currentDirectory(), nc_);
    }
}

TEST_F(DispatchTest, PatternFollowsEachEditAndIsStoredOnLeaving) {
    view_.setText("PatternField", "*.ta");
    fire("PatternField", Trigger::Edited);
    EXPECT_EQ(files_.pattern(), "*.ta");
    view_.setText("PatternField", "*.tap");
    fire("PatternField", Trigger::FocusGained);
    EXPECT_EQ(files_.files(), Lines{"Q2.tap"});
    EXPECT_EQ(readTopLevelSetting(state_.settingsPath, "Pattern", "none"), "none");
    fire("PatternField", Trigger::FocusLost);
    EXPECT_EQ(readTopLevelSetting(state_.settingsPath, "Pattern", "none"), "*.tap");
}

TEST_F(DispatchTest, FolderChooserStoresPathAndKeepsThePattern) {
    const std::string other = folder(sep("nc/sub/"));
    put(sep("nc/sub/S.nc"), "S\n");
    dialogs_.folderAnswers = {"", other};

    press("DirectoryButton");
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].text,
              "Bitte wählen sie das Standardverzeichnis für ihre NC-Dateien aus:");
    EXPECT_EQ(dialogs_.calls[0].title, folderChooserStart()) << "never the folder in force";
    EXPECT_EQ(state_.ncDirectory, nc_) << "cancel changes nothing";
    EXPECT_FALSE(exists("drovane.ini")) << "cancel writes nothing";

    holdJob(); // the chooser works during a transfer too
    press("DirectoryButton");
    EXPECT_EQ(state_.ncDirectory, other);
    EXPECT_EQ(view_.text("DirectoryField"), other);
    EXPECT_EQ(files_.currentDirectory(), other);
    EXPECT_EQ(files_.pattern(), "*.nc");
    EXPECT_EQ(files_.files(), Lines{"S.nc"});
    EXPECT_EQ(readTopLevelSetting(state_.settingsPath, "Path", ""), other);
}

TEST_F(DispatchTest, PathAndPatternThatCannotBeStoredAreReportedLikeAProfile) {
    put("plain", "x");
    state_.settingsPath = folder(sep("plain/drovane.ini"));
    const std::string told = "Einstellungen speichern | Die Einstellungen konnten nicht "
                             "gespeichert werden:\n" +
                             state_.settingsPath;
    fire("PatternField", Trigger::FocusLost);
    dialogs_.folderAnswers = {folder(sep("nc/sub/"))};
    press("DirectoryButton");
    EXPECT_EQ(dialogs_.informed(), (Lines{told, told}));
    EXPECT_EQ(contentOf("plain"), "x");
}

TEST_F(DispatchTest, RightPressesClearTheLogAndReturnToTheStandardFolder) {
    holdJob();
    view_.appendStatus("Zeile");
    fire("DirectionButton", Trigger::RightPress);
    EXPECT_TRUE(view_.status.empty());
    EXPECT_EQ(state_.mode, Mode::Send);

    files_.pointAt(folder(sep("nc/sub/")) + "*.xyz");
    view_.setText("PatternField", "P*.tap");
    fire("DirectoryButton", Trigger::RightPress);
    EXPECT_EQ(files_.currentDirectory(), nc_);
    EXPECT_EQ(files_.pattern(), "*.tap");
    EXPECT_EQ(view_.text("DirectoryField"), nc_);
    EXPECT_TRUE(dialogs_.calls.empty());
}

TEST_F(DispatchTest, HelpClickOnTheStatusBarAsksForHelp) {
    holdJob();
    fire("StatusBar", Trigger::HelpClick);
    fire("StatusBar", Trigger::Click);
    EXPECT_EQ(helpShown_, 1);
}

TEST(WiredEventsTest, EachEventOnceAndOnlyForControlsTheWindowHas) {
    std::set<std::pair<std::string_view, Trigger>> seen;
    for (const WiredEvent& event : wiredEvents()) {
        EXPECT_TRUE(seen.emplace(event.control, event.trigger).second)
            << event.control << " would run its command twice";
        EXPECT_TRUE(event.control == "StatusBar" || controlKindOf(event.control).has_value())
            << event.control;
    }
    // Start and abort share one event.
    EXPECT_EQ(seen.count({"StartButton", Trigger::Click}), 1U);
}

} // namespace
} // namespace drovane::testing
