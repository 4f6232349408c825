// A job's reports reach the window in order when the front end drains them,
// and the front end is woken once per drain that becomes due.

#include "window/queued_job_console.h"
#include "window/tabs.h"
#include "window/window_receive_target.h"
#include "window_logic_fixture.h"

#include <chrono>
#include <limits>
#include <thread>

namespace drovane::testing {
namespace {

using Lines = std::vector<std::string>;

class QueuedJobConsoleTest : public WindowLogicTest {
protected:
    QueuedJobConsoleTest() {
        console_.setWakeUp([this] { ++wakeUps_; });
    }

    std::atomic<int> wakeUps_{0};
    QueuedJobConsole console_{view_, state_};
};

TEST_F(QueuedJobConsoleTest, ReportsFromAJobThreadReachTheWindowOnlyWhenDrained) {
    view_.appendStatus("alt");
    view_.setText("FileNameField", "P1.nc");
    std::thread job([this] {
        console_.clearLog();
        console_.appendLine("Senden");
        console_.replaceLastLine("1 Byte");
        console_.replaceLastLine("2 Byte");
        console_.clearLogSelection();
        console_.setStartCaption("Abbrechen");
        console_.setProgressMaximum(std::int64_t{1} << 40);
        console_.setProgressValue(-5);
        console_.clearEditor();
        console_.appendEditor("N1\r");
        console_.appendEditor("\n\x80");
        console_.editorCaretToStart();
        console_.setEditorTabTitle("Empfang");
        console_.clearFileName();
        console_.setProgramText("N1\r\n\x80");
    });
    job.join();
    EXPECT_EQ(wakeUps_, 1) << "one wake-up for the whole burst";
    EXPECT_EQ(view_.status, Lines{"alt"}) << "nothing reaches the window before the drain";
    EXPECT_FALSE(console_.empty());

    EXPECT_EQ(console_.drain(), QueuedJobConsole::Drain::Applied);
    EXPECT_TRUE(console_.empty());
    EXPECT_EQ(view_.status, Lines{"2 Byte"});
    EXPECT_EQ(view_.statusSelectionClears, 1);
    EXPECT_EQ(view_.text("StartButton"), "Abbrechen");
    EXPECT_EQ(view_.progressMaximum, std::numeric_limits<int>::max());
    EXPECT_EQ(view_.progressValue, 0);
    EXPECT_EQ(view_.editor, "N1\r\n\x80");
    EXPECT_TRUE(view_.caretAtStart);
    EXPECT_EQ(view_.tabTitle(ProgramTab), "Empfang");
    EXPECT_EQ(view_.text("FileNameField"), "");
    EXPECT_EQ(state_.programText, "N1\r\n\x80");
    EXPECT_EQ(console_.batchesApplied(), 1);

    EXPECT_EQ(console_.drain(), QueuedJobConsole::Drain::Nothing);
    console_.appendLine("Ende");
    EXPECT_EQ(wakeUps_, 2) << "the next report after a drain wakes the front end again";
}

TEST_F(QueuedJobConsoleTest, SendPositionsReachTheWindowInOrderWithTheRest) {
    std::vector<std::string> seen;
    console_.setSendPositionShown([&](std::size_t line, std::int64_t left) {
        seen.push_back(std::to_string(line) + "/" + std::to_string(left) + " after " +
                       view_.text("StartButton"));
    });
    console_.setStartCaption("Abbrechen");
    console_.showSendPosition(0, 90);
    console_.setStartCaption("fertig");
    console_.showSendPosition(7, 12);
    EXPECT_TRUE(seen.empty()) << "nothing before the drain";
    console_.drain();
    EXPECT_EQ(seen, (std::vector<std::string>{"0/90 after Abbrechen", "7/12 after fertig"}));
}

TEST_F(QueuedJobConsoleTest, ADrainInsideATaskLeavesTheNewReportsForLater) {
    // A task that asks a question runs the dialog's event loop, which may
    // try to drain again.
    QueuedJobConsole::Drain inner = QueuedJobConsole::Drain::Nothing;
    console_.post([this, &inner] {
        console_.appendLine("während der Frage");
        inner = console_.drain();
    });
    console_.appendLine("danach");
    EXPECT_EQ(console_.drain(), QueuedJobConsole::Drain::Applied);
    EXPECT_EQ(inner, QueuedJobConsole::Drain::Busy);
    EXPECT_EQ(view_.status, Lines{"danach"});
    EXPECT_EQ(console_.drain(), QueuedJobConsole::Drain::Applied);
    EXPECT_EQ(view_.status, (Lines{"danach", "während der Frage"}));
}

TEST_F(QueuedJobConsoleTest, TheSaveTargetIsJudgedOnTheWindowsThreadAfterEarlierReports) {
    makeFolder("nc");
    put(std::string("nc") + folder().back() + "T.nc", "old\n");
    view_.setText("DirectoryField", folder("nc") + folder().back());
    view_.setText("FileNameField", "T.nc");
    WindowReceiveTarget target(console_, programs_, state_);
    dialogs_.yesNoAnswers = {false};
    std::atomic<bool> answered{false};
    OverwriteDecision decision = OverwriteDecision::Overwrite;
    std::thread job([&] {
        console_.appendLine("Empfang beendet");
        decision = target.checkSaveTarget();
        answered = true;
    });
    // The window thread drains until the question has been answered.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        console_.drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    job.join();
    EXPECT_EQ(decision, OverwriteDecision::KeepExisting);
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(view_.status, Lines{"Empfang beendet"}) << "the line came before the question";
}

TEST_F(QueuedJobConsoleTest, AShutdownEndsTheWaitForAnAnswerWithAnInvalidName) {
    WindowReceiveTarget target(console_, programs_, state_);
    state_.abortRequest.raise(AbortRequest::Shutdown);
    // Nobody drains: the window is closing.
    EXPECT_EQ(target.checkSaveTarget(), OverwriteDecision::InvalidName);
    EXPECT_TRUE(dialogs_.calls.empty());
}

} // namespace
} // namespace drovane::testing
