// The window's console: calls from a job thread reach the widgets in order,
// folded to a few batches, and the last state always arrives.

#include "qt/qt_job_console.h"
#include "window_fixture.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QTest>
#include <thread>

namespace drovane::testing {
namespace {

class JobConsoleTest : public WindowTest {};

TEST_F(JobConsoleTest, BurstFromAnotherThreadArrivesInOrderInFewBatches) {
    QtJobConsole console(window(), session_->view(), state_);
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
    EXPECT_EQ(window().controlAs<ProgramTextWidget>("ProgramEditor")->toPlainText(), shown);
    EXPECT_EQ(window().controlAs<QProgressBar>("TransferProgress")->value(), Blocks * Counts);
    EXPECT_EQ(state_.programText, "kept");
    // Some 200,000 calls, applied at most about thirty times a second.
    EXPECT_LE(console.batchesApplied(), elapsedMs / QtJobConsole::MinimumGapMs + 2);
}

} // namespace
} // namespace drovane::testing
