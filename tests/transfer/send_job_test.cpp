// The send job on the virtual line: the bytes the machine gets and every log
// line and control change, in order.

#include "job_rig.h"
#include "transfer/send_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace drovane {
namespace {

using namespace std::string_literals;
using testing::ElementsAre;
using testing::ElementsAreArray;

const std::string kWorkedProgram = "%\nO0001\nG0 X0\nM30\n%\n";

class SendJobTest : public testing::Test {
protected:
    void run(const std::string& program) { SendJob(rig_.context, controls_, program).run(); }
    void start(const std::string& program) {
        ASSERT_TRUE(rig_.runner.start(
            [this, program] { SendJob(rig_.context, controls_, program).run(); }));
    }
    void finish() { rig_.runner.wait(); }

    std::vector<std::string> logLines() const {
        std::vector<std::string> lines;
        for (const auto& event : rig_.console.events()) {
            if (event.starts_with("log ") && event != "log selection cleared") {
                lines.push_back(event.substr(4));
            }
        }
        return lines;
    }

    JobRig rig_;
    SettingsSnapshot controls_ = defaultControls();
};

TEST_F(SendJobTest, WorkedExampleGoesOutFilteredBetweenLeaderAndTrailer) {
    controls_.leaderCountField = "10";
    controls_.trailerCountField = "10";
    controls_.percentFilterCombo = "Ja";
    run(kWorkedProgram);

    const std::string text = "\nO0001\nG0 X0\nM30\n\n";
    ASSERT_EQ(text.size(), 18U);
    EXPECT_EQ(rig_.far.received(), std::string(10, '\0') + text + std::string(10, '\0') + "\x04");

    std::vector<std::string> expected{
        "progress max 18",
        "progress 0",
        "line open",
        rig_.openedLine(),
        // 300 ms after a run of 48 bytes (50 ms at 9600 baud) should be out.
        "line timeouts 100 100 100 360 0",
        "caption Abbrechen",
        "progress 18",
        "log selection cleared",
    };
    expected.insert(expected.end(), {
                                        "line close",
                                        "log Übertragung beendet. 18 Bytes gesendet.",
                                        "caption Übertragung starten",
                                        "file name cleared",
                                        "log selection cleared",
                                    });
    EXPECT_THAT(rig_.console.events(), ElementsAreArray(expected));
    // Leader, text, trailer, end byte: one write each.
    EXPECT_EQ(rig_.line.writeTimes().size(), 4U);
}

TEST_F(SendJobTest, ALongTextGoesOutInRunsOfTheLineTime) {
    const std::string text(200, 'G');
    run(text);
    EXPECT_EQ(rig_.far.received(), text + "\x04");
    // Runs of 48 bytes at 9600 baud, then the end byte.
    EXPECT_EQ(rig_.line.writeTimes().size(), 5U + 1U);
    EXPECT_EQ(rig_.console.count("progress 48"), 1U);
    EXPECT_EQ(rig_.console.count("progress 200"), 1U);
}

TEST_F(SendJobTest, EmptyProgramStillSendsLeaderTrailerAndEndByte) {
    controls_.leaderCountField = "2";
    controls_.trailerCountField = "3";
    // Never looked at: no wait and no text byte.
    rig_.abort.raise();
    run("");
    EXPECT_EQ(rig_.far.received(), "\0\0\0\0\0\x04"s);
    EXPECT_THAT(
        rig_.console.eventsWithout({"line timeouts"}),
        ElementsAre("progress max 0", "progress 0", "line open", rig_.openedLine(),
                    "caption Abbrechen", "line close", "log Übertragung beendet. 0 Bytes gesendet.",
                    "caption Übertragung starten", "file name cleared", "log selection cleared"));
}

TEST_F(SendJobTest, LeaderAndTrailerCountsAreReadAsNumbers) {
    const std::vector<std::pair<std::string, std::size_t>> cases{
        {"0", 0}, {"-5", 0}, {"Vorlauf", 0}, {"", 0}, {" 3", 3}, {"$2", 2}, {"4x", 4}};
    for (const auto& [count, nuls] : cases) {
        JobRig rig;
        SettingsSnapshot controls = defaultControls();
        controls.leaderCountField = count;
        controls.trailerCountField = count;
        SendJob(rig.context, controls, "G1").run();
        EXPECT_EQ(rig.far.received(),
                  std::string(nuls, '\0') + "G1" + std::string(nuls, '\0') + "\x04")
            << "count text \"" << count << "\"";
    }
}

TEST_F(SendJobTest, EndByteIsTheLowByteOfTheEndCharacterNumber) {
    const std::vector<std::pair<std::string, char>> cases{
        {"300", '\x2C'}, {"$1B", '\x1B'}, {"", '\0'}, {"4", '\x04'}, {"%11", '\x03'}};
    for (const auto& [endText, endByte] : cases) {
        JobRig rig;
        SettingsSnapshot controls = defaultControls();
        controls.endCharField = endText;
        SendJob(rig.context, controls, "G1").run();
        EXPECT_EQ(rig.far.received(), "G1"s + endByte) << "end text \"" << endText << "\"";
    }
}

TEST_F(SendJobTest, EmptyFileNameEndsAtOnceWithoutTakingTheLock) {
    controls_.fileNameField.clear();
    const std::scoped_lock held(rig_.lock); // a job that waited for it would hang here
    run(kWorkedProgram);
    EXPECT_TRUE(rig_.console.events().empty());
    EXPECT_FALSE(rig_.far.isOpen());
}

TEST_F(SendJobTest, FailedOpenIsLoggedAndReleasesTheLock) {
    rig_.far.refuseOpen(true);
    run("G1\n");
    EXPECT_THAT(rig_.console.events(),
                ElementsAre("progress max 3", "progress 0", "line open failed",
                            "log Fehler! serielle Schnittstelle konnte nicht geöffnet werden.",
                            "log Ursache: die Schnittstelle meldet einen Gerätefehler."));
    EXPECT_TRUE(rig_.lock.try_lock());
    rig_.lock.unlock();
}

TEST_F(SendJobTest, SecondStartAfterFailedOpenSendsTheTextPreparedOnce) {
    controls_.afterLineField = ";";
    controls_.beforeProgramField = "B";
    const std::string program = "G1\nM30\n";
    rig_.far.refuseOpen(true);
    run(program);
    rig_.far.refuseOpen(false);
    run(program);
    EXPECT_EQ(rig_.far.received(), "B\nG1;\nM30;\n\x04");
}

TEST_F(SendJobTest, DtrDsrProcedureRaisesDtrWaitsForDsrAndLowersDtrAtTheEnd) {
    controls_.dtrDsrCheck = true;
    start("G1");
    ASSERT_TRUE(rig_.console.waitFor("log DTR-Signal (ON) gesendet. Warte auf Antwort..."));
    EXPECT_TRUE(rig_.runner.running());
    EXPECT_EQ(rig_.far.received(), "");
    rig_.far.setLine(SerialSignal::Dsr, true);
    finish();
    EXPECT_EQ(rig_.far.received(), "G1\x04");
    EXPECT_THAT(rig_.console.eventsWithout({"progress", "log selection", "line timeouts"}),
                ElementsAre("line open", rig_.openedLine(), "caption Abbrechen", "line DTR 1",
                            "log DTR-Signal (ON) gesendet. Warte auf Antwort...",
                            "log DSR-Signal (ON) empfangen.", "line DTR 0",
                            "log DTR-Signal (OFF) gesendet.", "line close",
                            "log Übertragung beendet. 2 Bytes gesendet.",
                            "caption Übertragung starten", "file name cleared"));
}

TEST_F(SendJobTest, AbortWhileWaitingForDsrLowersDtrAndSendsNothing) {
    controls_.dtrDsrCheck = true;
    start("G1");
    ASSERT_TRUE(rig_.console.waitFor("log DTR-Signal (ON) gesendet. Warte auf Antwort..."));
    rig_.abort.raise();
    finish();
    EXPECT_EQ(rig_.far.received(), "");
    EXPECT_THAT(rig_.console.eventsWithout({"line timeouts"}),
                ElementsAre("progress max 2", "progress 0", "line open", rig_.openedLine(),
                            "caption Abbrechen", "line DTR 1",
                            "log DTR-Signal (ON) gesendet. Warte auf Antwort...",
                            "log Übertragung vorzeitig abgebrochen.", "file name cleared",
                            "caption Übertragung starten", "progress 0", "line DTR 0",
                            "line close"));
    EXPECT_FALSE(rig_.far.line(SerialSignal::Dtr));
}

TEST_F(SendJobTest, RtsCtsWaitsForCtsBeforeSending) {
    controls_.handshakeCombo = "RTS/CTS";
    start("G1");
    ASSERT_TRUE(rig_.console.waitFor("log RTS an Maschine gesendet, warte auf Antwort..."));
    EXPECT_EQ(rig_.far.received(), "");
    rig_.far.setLine(SerialSignal::Cts, true);
    finish();
    EXPECT_EQ(rig_.far.received(), "G1\x04");
    EXPECT_THAT(rig_.console.eventsWithout({"progress", "log selection", "line timeouts"}),
                ElementsAre("line open", rig_.openedLine(), "caption Abbrechen", "line RTS 1",
                            "log RTS an Maschine gesendet, warte auf Antwort...",
                            "log CTS von Maschine erhalten. Daten werden übertragen...",
                            "line close", "log Übertragung beendet. 2 Bytes gesendet.",
                            "caption Übertragung starten", "file name cleared"));
}

TEST_F(SendJobTest, AbortWhileWaitingForCtsLowersRtsAndSendsNothing) {
    controls_.handshakeCombo = "RTS/CTS";
    start("G1");
    ASSERT_TRUE(rig_.console.waitFor("log RTS an Maschine gesendet, warte auf Antwort..."));
    rig_.abort.raise();
    finish();
    EXPECT_EQ(rig_.far.received(), "");
    EXPECT_THAT(rig_.console.eventsWithout({"line timeouts", "progress max"}),
                ElementsAre("progress 0", "line open", rig_.openedLine(), "caption Abbrechen",
                            "line RTS 1", "log RTS an Maschine gesendet, warte auf Antwort...",
                            "log Übertragung vorzeitig abgebrochen.", "file name cleared",
                            "caption Übertragung starten", "progress 0", "line RTS 0",
                            "line close"));
    EXPECT_FALSE(rig_.far.line(SerialSignal::Rts));
}

TEST_F(SendJobTest, RtsHandshakeRaisesRtsAndSendsWithoutWaitingForCts) {
    controls_.handshakeCombo = "RTSHANDSHAKE";
    run("G1");
    EXPECT_EQ(rig_.far.received(), "G1\x04");
    EXPECT_THAT(logLines(),
                ElementsAre(rig_.openedLine().substr(4), "RTS an Maschine gesendet, sende Daten...",
                            "Übertragung beendet. 2 Bytes gesendet."));
}

TEST_F(SendJobTest, XoffHoldIsLoggedOnceAndItsEndOnce) {
    controls_.handshakeCombo = "XON/XOFF";
    controls_.dtrDsrCheck = true; // holds the job until the XOFF is on its way
    start("G1 X2");
    ASSERT_TRUE(rig_.console.waitFor("log DTR-Signal (ON) gesendet. Warte auf Antwort..."));
    rig_.far.sendXoff();
    rig_.far.setLine(SerialSignal::Dsr, true);
    ASSERT_TRUE(rig_.console.waitFor("log Übertragung wird unterbrochen...(XOFF erhalten)"));
    // Several write timeouts pass during the hold.
    ASSERT_TRUE(rig_.console.waitFor("log selection cleared"));
    EXPECT_EQ(rig_.far.received(), "");
    rig_.far.sendXon();
    finish();
    EXPECT_EQ(rig_.far.received(), "G1 X2\x04");
    EXPECT_THAT(
        logLines(),
        ElementsAre(rig_.openedLine().substr(4), "DTR-Signal (ON) gesendet. Warte auf Antwort...",
                    "DSR-Signal (ON) empfangen.", "Übertragung wird unterbrochen...(XOFF erhalten)",
                    "Übertragung wird fortgesetzt...(XON erhalten)", "DTR-Signal (OFF) gesendet.",
                    "Übertragung beendet. 5 Bytes gesendet."));
}

TEST_F(SendJobTest, FirstByteLogsResumptionAndAHoldOfTwoRetriesLogsOnce) {
    controls_.handshakeCombo = "XON/XOFF";
    rig_.line.failWrite(1, SerialError::XoffReceived, 2); // held after "AB"
    rig_.line.failWrite(2, SerialError::XoffReceived);
    run("ABCD");
    EXPECT_EQ(rig_.far.received(), "ABCD\x04");
    EXPECT_THAT(rig_.console.eventsWithout({"line", "caption", "progress max", "file name"}),
                ElementsAre("progress 0", rig_.openedLine(), "progress 2",
                            "log Übertragung wird fortgesetzt...(XON erhalten)",
                            "log Übertragung wird unterbrochen...(XOFF erhalten)",
                            "log selection cleared", "log selection cleared", "progress 4",
                            "log Übertragung wird fortgesetzt...(XON erhalten)",
                            "log selection cleared", "log Übertragung beendet. 4 Bytes gesendet.",
                            "log selection cleared"));
}

TEST_F(SendJobTest, FailedByteIsReportedAndSentAgainAfterTheDelay) {
    controls_.leaderCountField = "1";
    // The text's run stops after its first byte.
    rig_.line.failWrite(2, SerialError::Frame | SerialError::TxFull, 1);
    run("ABC");
    EXPECT_EQ(rig_.far.received(), "\0ABC\x04"s);
    EXPECT_THAT(rig_.console.eventsWithout({"line", "caption", "progress max", "file name"}),
                ElementsAre("progress 0", rig_.openedLine(), "progress 1",
                            "log SerialPortError beim 2. Zeichen :",
                            "log Übertragungsfehler !!! #PB_SerialPort_Frame",
                            "log Übertragungsfehler !!! #PB_SerialPort_TxFull",
                            "log Zeichen wird in 1 Sekunde erneut gesendet...",
                            "log selection cleared", "progress 3", "log selection cleared",
                            "log Übertragung beendet. 3 Bytes gesendet.", "log selection cleared"));
    const auto times = rig_.line.writeTimes();
    ASSERT_GE(times.size(), 3U);
    EXPECT_GE(times[2] - times[1], rig_.context.timing.retryDelay);
}

TEST_F(SendJobTest, AbortDuringTheTextEndsWithoutTrailerOrEndByte) {
    controls_.leaderCountField = "2";
    controls_.trailerCountField = "2";
    controls_.dtrDsrCheck = true;
    controls_.baudCombo = "600"; // runs of 3 bytes
    rig_.far.setLine(SerialSignal::Dsr, true);
    rig_.line.onWrite([this](int number) {
        if (number == 2) { // the first run of the text
            rig_.abort.raise();
        }
    });
    run("ABCDEF");
    EXPECT_EQ(rig_.far.received(), "\0\0ABC"s);
    const auto events = rig_.console.events();
    ASSERT_GE(events.size(), 9U);
    EXPECT_THAT(std::vector(events.end() - 9, events.end()),
                ElementsAre("progress 3", "log selection cleared",
                            "log Übertragung vorzeitig abgebrochen.", "caption Übertragung starten",
                            "file name cleared", "line RTS 0", "progress 0", "line close",
                            "log selection cleared"));
    EXPECT_EQ(rig_.console.count("line DTR 0"), 0U);
}

TEST_F(SendJobTest, AbortBeforeTheTextStillSendsTheLeaderAndTheFirstRun) {
    controls_.leaderCountField = "3";
    controls_.baudCombo = "600"; // runs of 3 bytes
    rig_.abort.raise();
    run("ABCDEF");
    EXPECT_EQ(rig_.far.received(), "\0\0\0ABC"s);
    EXPECT_THAT(logLines(),
                ElementsAre(rig_.openedLine().substr(4), "Übertragung vorzeitig abgebrochen."));
}

TEST_F(SendJobTest, BytesThatDidNotGoOutEndTheSendAsAnError) {
    struct Case {
        const char* name;
        int failingWrite; // 0: none
        int undrained;
        const char* lostLine;
    };
    const std::vector<Case> cases{
        {"a held line kept the tail at close", 0, 3,
         "Fehler! 3 Bytes konnten nicht gesendet werden."},
        {"a trailer byte failed", 2, 0, "Fehler! 1 Bytes konnten nicht gesendet werden."},
        {"both", 3, 2, "Fehler! 3 Bytes konnten nicht gesendet werden."},
    };
    for (const Case& c : cases) {
        JobRig rig;
        controls_.trailerCountField = "1";
        if (c.failingWrite != 0) {
            rig.line.failWrite(c.failingWrite, SerialError::TxFull);
        }
        rig.line.leaveUndrained(c.undrained);
        SendJob(rig.context, controls_, "AB").run();
        EXPECT_THAT(rig.console.logLines(), ElementsAre(rig.openedLine().substr(4), c.lostLine,
                                                        "Übertragung vorzeitig abgebrochen."))
            << c.name;
    }
}

TEST_F(SendJobTest, AHoldAtTheEndIsWaitedOutForTrailerAndEndByte) {
    controls_.handshakeCombo = "XON/XOFF";
    controls_.trailerCountField = "3";
    std::thread releaser;
    rig_.line.onWrite([this, &releaser](int number) {
        if (number == 2) { // the first trailer byte
            rig_.far.sendXoff();
            releaser = std::thread([this] {
                // Many write timeouts of line time.
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                rig_.far.sendXon();
            });
        }
    });
    run("A");
    releaser.join();
    EXPECT_EQ(rig_.far.received(), "A\0\0\0\x04"s);
    EXPECT_EQ(logLines().back(), "Übertragung beendet. 1 Bytes gesendet.");
}

TEST_F(SendJobTest, APortThatIsGoneEndsTheSendInsteadOfRetrying) {
    controls_.baudCombo = "600"; // runs of 3 bytes
    rig_.line.onWrite([this](int number) {
        if (number == 2) {
            rig_.far.setConnected(false);
        }
    });
    start("ABCDEF");
    const bool ended = rig_.console.waitFor("log Übertragung vorzeitig abgebrochen.");
    rig_.abort.raise(); // ends a job that retries for ever
    finish();
    EXPECT_TRUE(ended);
    EXPECT_EQ(rig_.far.received(), "ABC");
    EXPECT_THAT(logLines(),
                ElementsAre(rig_.openedLine().substr(4), "SerialPortError beim 4. Zeichen :",
                            "Übertragungsfehler !!! #PB_SerialPort_IOE",
                            "Übertragung vorzeitig abgebrochen."));
    EXPECT_EQ(rig_.console.count("line close"), 1U);
}

TEST_F(SendJobTest, AnAbortEndsAWriteHeldByXoffWithoutWaitingForItsTimeout) {
    controls_.handshakeCombo = "XON/XOFF";
    controls_.sendTimeoutField = "1200000"; // a minute of real time per attempt
    controls_.baudCombo = "300";            // one byte per run
    std::atomic<bool> held{false};
    rig_.line.onWrite([this, &held](int number) {
        if (number == 2) {
            rig_.far.sendXoff();
            held = true;
        }
    });
    start("ABC");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!held && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // inside the held write
    const auto raised = std::chrono::steady_clock::now();
    rig_.abort.raise();
    finish();
    EXPECT_LT(std::chrono::steady_clock::now() - raised, std::chrono::seconds(10));
    EXPECT_EQ(rig_.far.received(), "A");
    // Cut short by the operator: no line error is reported.
    EXPECT_THAT(logLines(), ElementsAre(rig_.openedLine().substr(4),
                                        "Übertragung wird fortgesetzt...(XON erhalten)",
                                        "Übertragung vorzeitig abgebrochen."));
}

} // namespace
} // namespace drovane
