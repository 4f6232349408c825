// The window's console: calls from a job thread reach the widgets in order,
// folded to a few batches, and the last state always arrives.

#include "shell/console_queue.h"
#include "shell/qt_job_console.h"
#include "window_fixture.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QTest>
#include <thread>

namespace drovane::testing {
namespace {

using Kind = ConsoleOp::Kind;

std::vector<Kind> kinds(const std::vector<ConsoleOp>& ops) {
    std::vector<Kind> result;
    result.reserve(ops.size());
    for (const ConsoleOp& op : ops) {
        result.push_back(op.kind);
    }
    return result;
}

TEST(ConsoleQueueTest, FoldsOnlyWhatNoOtherCallOfTheSameWidgetSeparates) {
    ConsoleQueue queue;
    EXPECT_TRUE(queue.push({Kind::AppendLine, "a"}));
    EXPECT_FALSE(queue.push({Kind::ReplaceLastLine, "1"}));
    queue.push({Kind::AppendEditor, "x"});
    queue.push({Kind::ClearEditorSelection});
    queue.push({Kind::ProgressValue, {}, 1});
    queue.push({Kind::ReplaceLastLine, "2"});
    queue.push({Kind::AppendEditor, "y"});
    queue.push({Kind::ClearEditorSelection});
    queue.push({Kind::ProgressValue, {}, 2});
    // A new line ends the folding of the count line; a new maximum that of the value.
    queue.push({Kind::AppendLine, "b"});
    queue.push({Kind::ReplaceLastLine, "3"});
    queue.push({Kind::ProgressMaximum, {}, 9});
    queue.push({Kind::ProgressValue, {}, 3});
    // Clearing the editor is never passed.
    queue.push({Kind::ClearEditor});
    queue.push({Kind::AppendEditor, "z"});

    const std::vector<ConsoleOp> ops = queue.take();
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(kinds(ops),
              (std::vector<Kind>{Kind::AppendLine, Kind::ReplaceLastLine, Kind::AppendEditor,
                                 Kind::ClearEditorSelection, Kind::ProgressValue, Kind::AppendLine,
                                 Kind::ReplaceLastLine, Kind::ProgressMaximum, Kind::ProgressValue,
                                 Kind::ClearEditor, Kind::AppendEditor}));
    EXPECT_EQ(ops[1].text, "2");
    EXPECT_EQ(ops[2].text, "xy");
    EXPECT_EQ(ops[4].number, 2);
    EXPECT_EQ(ops[6].text, "3");
    EXPECT_EQ(ops[8].number, 3);
    EXPECT_EQ(ops[10].text, "z");

    // After a take nothing folds into what has already gone.
    EXPECT_TRUE(queue.push({Kind::ReplaceLastLine, "4"}));
    EXPECT_EQ(queue.size(), 1U);
}

TEST(ConsoleQueueTest, ABurstOfLogSelectionClearingsArrivesAsOne) {
    ConsoleQueue queue;
    queue.push({Kind::AppendLine, "a"});
    // What the send job reports for every byte.
    for (int byte = 1; byte <= 1000; ++byte) {
        queue.push({Kind::ProgressValue, {}, byte});
        queue.push({Kind::ClearLogSelection});
    }
    // A line between them keeps its place.
    queue.push({Kind::AppendLine, "b"});
    queue.push({Kind::ClearLogSelection});
    queue.push({Kind::ClearLogSelection});
    const std::vector<ConsoleOp> ops = queue.take();
    EXPECT_EQ(kinds(ops),
              (std::vector<Kind>{Kind::AppendLine, Kind::ProgressValue, Kind::ClearLogSelection,
                                 Kind::AppendLine, Kind::ClearLogSelection}));
    EXPECT_EQ(ops[1].number, 1000);
}

class JobConsoleTest : public WindowTest {};

TEST_F(JobConsoleTest, BurstFromAnotherThreadArrivesInOrderInFewBatches) {
    QtJobConsole console(window(), state_);
    constexpr int Blocks = 20;
    constexpr int Counts = 2000;
    std::string editorBytes;
    for (int block = 0; block < Blocks; ++block) {
        for (int count = 0; count < Counts; ++count) {
            editorBytes += "N" + std::to_string(count) + (count % 2 == 0 ? "\r" : "\r\n");
        }
    }
    QElapsedTimer clock;
    clock.start();
    std::atomic<bool> done{false};
    std::thread job([&console, &done] {
        console.clearLog();
        console.clearEditor();
        console.setProgressMaximum(std::int64_t{Blocks} * Counts);
        for (int block = 0; block < Blocks; ++block) {
            console.appendLine("Block " + std::to_string(block));
            for (int count = 0; count < Counts; ++count) {
                // A CR LF split across two calls.
                console.appendEditor("N" + std::to_string(count) + "\r");
                if (count % 2 != 0) {
                    console.appendEditor("\n");
                }
                console.clearEditorSelection();
                console.replaceLastLine(std::to_string(block) + ": " + std::to_string(count));
                console.setProgressValue(std::int64_t{block} * Counts + count + 1);
            }
        }
        console.appendLine("Ende");
        console.setProgramText("kept");
        done = true;
    });
    const bool settled = QTest::qWaitFor([&] { return done.load() && console.idle(); }, 20000);
    job.join();
    ASSERT_TRUE(settled);
    const qint64 elapsedMs = clock.elapsed();

    QStringList expected;
    for (int block = 0; block < Blocks; ++block) {
        expected << QStringLiteral("%1: %2").arg(block).arg(Counts - 1);
    }
    expected << QStringLiteral("Ende");
    EXPECT_EQ(window().controlAs<QPlainTextEdit>("StatusLine")->toPlainText().split('\n'),
              expected);
    // The editor turns every CR, CR LF and LF into one line break.
    QString shown = QString::fromLatin1(editorBytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    EXPECT_EQ(window().controlAs<QPlainTextEdit>("ProgramEditor")->toPlainText(), shown);
    EXPECT_EQ(window().controlAs<QProgressBar>("TransferProgress")->value(), Blocks * Counts);
    EXPECT_EQ(state_.programText, "kept");
    // Some 200,000 calls, applied at most about thirty times a second.
    EXPECT_LE(console.batchesApplied(), elapsedMs / QtJobConsole::MinimumGapMs + 2);
}

} // namespace
} // namespace drovane::testing
