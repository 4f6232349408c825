// The receive job on the virtual line, with its input handed over in chosen
// chunks: what reaches the program, the editor and the save, and every log
// line and control change, in order.

#include "job_rig.h"
#include "transfer/receive_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace drovane {
namespace {

using namespace std::string_literals;
using testing::ElementsAre;

// The window's side of the save, noted into the same sequence.
class FakeTarget final : public ReceiveTarget {
public:
    FakeTarget(RecordingConsole& console, OverwriteDecision decision)
        : console_(console), decision_(decision) {}

    OverwriteDecision checkSaveTarget() override {
        console_.note("check target");
        return decision_;
    }
    void saveProgram(std::string_view text, OverwriteDecision decision) override {
        console_.note("save " + std::to_string(static_cast<int>(decision)) + " " +
                      std::string(text));
    }

private:
    RecordingConsole& console_;
    OverwriteDecision decision_;
};

class ReceiveJobTest : public testing::Test {
protected:
    void run() { ReceiveJob(rig_.context, controls_, target_).run(); }
    void start() {
        ASSERT_TRUE(
            rig_.runner.start([this] { ReceiveJob(rig_.context, controls_, target_).run(); }));
    }

    // From the start of a run to the waiting for data.
    std::vector<std::string> opening() const {
        return {"check target",
                "progress max 100",
                "clear log",
                "editor cleared",
                "program ",
                "line open",
                rig_.openedLine(),
                "line timeouts 300 300 100 10 100",
                "tab  Lesevorgang...",
                "caption Abbrechen"};
    }
    static std::vector<std::string> joined(std::vector<std::string> first,
                                           const std::vector<std::string>& second) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    }

    JobRig rig_;
    SettingsSnapshot controls_ = defaultControls();
    FakeTarget target_{rig_.console, OverwriteDecision::Overwrite};
};

TEST_F(ReceiveJobTest, EndCharacterInTheMiddleOfAChunkEndsTheRunAndIsSaved) {
    rig_.line.addChunk("\0\0"s);
    rig_.line.addChunk("O1\nG1\n");
    rig_.line.addChunk("M30\n\x04REST");
    run();
    EXPECT_THAT(rig_.console.events(),
                testing::ElementsAreArray(
                    joined(opening(), {"progress 0",
                                       "editor+ ",
                                       "editor selection cleared",
                                       "last HEX(00) Vorlauf / Nachlauf",
                                       "editor+ O1\nG1\n",
                                       "editor selection cleared",
                                       "last 6 Bytes empfangen.",
                                       "editor+ M30\n",
                                       "clear log",
                                       "log Programmübertragung durch EOF<04> beendet.",
                                       "log Übertragung erfolgreich abgeschlossen.",
                                       "caption Übertragung starten",
                                       "line RTS 0",
                                       "log 10 Bytes empfangen.",
                                       "line close",
                                       "tab gelesenes Programm",
                                       "log selection cleared",
                                       "editor caret to start",
                                       "program O1\nG1\nM30\n",
                                       "save 1 O1\nG1\nM30\n"})));
    EXPECT_TRUE(rig_.lock.try_lock());
    rig_.lock.unlock();
}

TEST_F(ReceiveJobTest, EndCharacterAtTheStartOfAChunkAddsNothingMore) {
    rig_.line.addChunk("ABC");
    rig_.line.addChunk("\x04XYZ");
    run();
    EXPECT_EQ(rig_.console.programText(), "ABC");
    EXPECT_EQ(rig_.console.editorText(), "ABC");
    EXPECT_THAT(rig_.console.logLines(),
                ElementsAre("Programmübertragung durch EOF<04> beendet.",
                            "Übertragung erfolgreich abgeschlossen.", "3 Bytes empfangen."));
}

TEST_F(ReceiveJobTest, EndOfFileFlagAloneEndsTheRunOtherFlagsAreReported) {
    rig_.line.addChunk("ABC");
    rig_.line.addFailedRead(SerialError::Frame | SerialError::EOFSent);
    rig_.line.addFailedRead(SerialError::EOFSent);
    run();
    EXPECT_THAT(rig_.console.eventsWithout({"check", "progress", "clear", "editor", "program ",
                                            "line", "tab", "caption", "save", "log selection"}),
                ElementsAre(rig_.openedLine(), "last 3 Bytes empfangen.",
                            "log SerialPortError beim 3. Zeichen :",
                            "log Übertragungsfehler !!! #PB_SerialPort_Frame",
                            "log Übertragungsfehler !!! #PB_SerialPort_EOFSent",
                            "log Programmübertragung durch SerialPort(EOF) beendet.",
                            "log Übertragung mit Leitungsfehlern abgeschlossen, Programm prüfen!",
                            "log 3 Bytes empfangen."));
    EXPECT_EQ(rig_.console.count("save 1 ABC"), 1U);
}

// Wrong baud rate or parity shows as errors alongside bytes that do arrive:
// each line error once, after the byte it came with, holds never; the text
// is still saved, and the end says it is suspect.
TEST_F(ReceiveJobTest, LineErrorsWhileBytesFlowAreLoggedOnceEachAndMarkTheEnd) {
    rig_.line.addChunk("O1\n", -1, SerialError::Frame | SerialError::RxParity);
    rig_.line.addChunk("G1\n", -1, SerialError::Frame | SerialError::XoffSent);
    rig_.line.addChunk("M30\n", -1, SerialError::Frame | SerialError::OverRun);
    // With the end character: the program is complete, the error still counts.
    rig_.line.addChunk("\x04", -1, SerialError::Break);
    run();
    EXPECT_THAT(
        rig_.console.eventsWithout({"check", "progress", "clear", "editor", "program ", "line",
                                    "tab", "caption", "save", "log selection", "last"}),
        ElementsAre(rig_.openedLine(), "log SerialPortError beim 3. Zeichen :",
                    "log Übertragungsfehler !!! #PB_SerialPort_RxParity",
                    "log Übertragungsfehler !!! #PB_SerialPort_Frame",
                    "log SerialPortError beim 10. Zeichen :",
                    "log Übertragungsfehler !!! #PB_SerialPort_OverRun",
                    "log SerialPortError beim 11. Zeichen :",
                    "log Übertragungsfehler !!! #PB_SerialPort_Break",
                    "log Programmübertragung durch EOF<04> beendet.",
                    "log Übertragung mit Leitungsfehlern abgeschlossen, Programm prüfen!",
                    "log 10 Bytes empfangen."));
    EXPECT_EQ(rig_.console.count("save 1 O1\nG1\nM30\n"), 1U);
}

TEST_F(ReceiveJobTest, HoldStatesAloneAreNoLineErrors) {
    controls_.handshakeCombo = "XON/XOFF";
    rig_.line.addChunk("O1\n", -1,
                       SerialError::XoffSent | SerialError::XoffReceived | SerialError::WaitingCTS);
    rig_.line.addChunk("\x04");
    run();
    EXPECT_EQ(rig_.console.count("log Übertragung erfolgreich abgeschlossen."), 1U);
    EXPECT_THAT(rig_.console.logLines(),
                testing::Not(testing::Contains(testing::HasSubstr("SerialPortError"))));
}

// An adapter pulled or a peer hung up, seen by a read that came back empty
// or while the job waits for bytes: the run ends as an abort with the I/O
// error in the log, and the text that came stays in the editor.
TEST_F(ReceiveJobTest, ALineThatDiesEndsTheRunAsAnAbortWithTheIoError) {
    for (const bool whileWaiting : {false, true}) {
        JobRig rig;
        FakeTarget target(rig.console, OverwriteDecision::Overwrite);
        rig.line.addChunk("O1\n");
        if (!whileWaiting) {
            rig.line.addFailedRead(SerialError::IOE);
        }
        ASSERT_TRUE(
            rig.runner.start([&] { ReceiveJob(rig.context, defaultControls(), target).run(); }));
        if (whileWaiting) {
            ASSERT_TRUE(rig.console.waitFor("last 3 Bytes empfangen."));
            rig.far.setConnected(false);
        }
        ASSERT_TRUE(rig.console.waitFor("line close")) << "the job does not notice";
        rig.runner.wait();
        const auto events = rig.console.events();
        ASSERT_GE(events.size(), 9U);
        EXPECT_THAT(std::vector(events.end() - 9, events.end()),
                    ElementsAre("log SerialPortError beim 3. Zeichen :",
                                "log Übertragungsfehler !!! #PB_SerialPort_IOE",
                                "log Übertragung vorzeitig abgebrochen.",
                                "caption Übertragung starten", "progress 0", "tab CNC-Programm",
                                "line RTS 0", "line close", "program O1\n"))
            << "while waiting: " << whileWaiting;
        EXPECT_EQ(rig.console.editorText(), "O1\n");
    }
}

TEST_F(ReceiveJobTest, EndCharacterComesFromTheLiveFieldNotFromTheStart) {
    controls_.endCharField = "04";
    rig_.live.setEndCharField("$1A");
    rig_.line.addChunk("A\x04Z\x1A!");
    run();
    EXPECT_EQ(rig_.console.programText(), "A\x04Z");
    EXPECT_EQ(rig_.console.count("log Programmübertragung durch EOF<$1A> beendet."), 1U);
}

TEST_F(ReceiveJobTest, NoEndCharacterForZeroOr256) {
    for (const char* text : {"", "0", "256"}) {
        JobRig rig;
        FakeTarget target(rig.console, OverwriteDecision::NoFileOrEmptyName);
        rig.live.setEndCharField(text);
        rig.line.addChunk("A\x04\x01Z");
        rig.line.addFailedRead(SerialError::EOFSent);
        ReceiveJob(rig.context, defaultControls(), target).run();
        EXPECT_EQ(rig.console.programText(), "A\x04\x01Z") << "end text \"" << text << "\"";
    }
}

TEST_F(ReceiveJobTest, NulBytesNeverReachTheProgramOrTheCount) {
    rig_.line.addChunk("\0\0AB\0C"s);
    rig_.line.addChunk("DE");
    // Fewer bytes came than were waiting: the rest is not taken for NULs.
    rig_.line.addChunk("FG", 5);
    rig_.line.addChunk("\0\0\x04"s);
    run();
    EXPECT_EQ(rig_.console.programText(), "ABCDEFG");
    EXPECT_THAT(rig_.console.eventsWithout({"check", "progress", "clear", "editor", "program ",
                                            "line", "tab", "caption", "save", "log "}),
                ElementsAre("last HEX(00) Vorlauf / Nachlauf", "last 5 Bytes empfangen.",
                            "last 7 Bytes empfangen."));
    EXPECT_EQ(rig_.console.count("log 7 Bytes empfangen."), 1U);
}

TEST_F(ReceiveJobTest, ReceiveFilterCleansTheSavedTextButNotTheEditor) {
    rig_.live.setReceiveControlFilterCombo("Ja");
    rig_.line.addChunk("A\tB\fC\r\nD\x01\x04");
    run();
    EXPECT_EQ(rig_.console.editorText(), "A\tB\fC\r\nD\x01");
    EXPECT_EQ(rig_.console.programText(), "ABC\r\nD");
    EXPECT_EQ(rig_.console.count("save 1 ABC\r\nD"), 1U);
    // Counted before the filter.
    EXPECT_EQ(rig_.console.count("log 9 Bytes empfangen."), 1U);
}

TEST_F(ReceiveJobTest, XonXoffLinesFollowTheHolds) {
    controls_.handshakeCombo = "XON/XOFF";
    rig_.line.addChunk("AB");
    rig_.line.addFailedRead(SerialError::XoffReceived);
    rig_.line.addFailedRead(SerialError::XoffReceived);
    rig_.line.addChunk("CD");
    rig_.line.addChunk("EF");
    rig_.line.addChunk("G\x04");
    run();
    EXPECT_THAT(
        rig_.console.eventsWithout({"check", "progress", "clear", "editor", "program ", "line",
                                    "tab", "caption", "save", "log selection"}),
        ElementsAre(rig_.openedLine(), "last 2 Bytes empfangen.",
                    "log Übertragung wird fortgesetzt...(XON erhalten)",
                    "log Übertragung wird unterbrochen...(XOFF erhalten)",
                    "last 4 Bytes empfangen.", "log Übertragung wird fortgesetzt...(XON erhalten)",
                    "last 6 Bytes empfangen.", "log Programmübertragung durch EOF<04> beendet.",
                    "log Übertragung erfolgreich abgeschlossen.", "log 7 Bytes empfangen."));
}

TEST_F(ReceiveJobTest, DsrWaitRaisesDtrAndTheLiveBoxDecidesDtrOffAtTheEnd) {
    for (const bool boxAtEnd : {true, false}) {
        JobRig rig;
        FakeTarget target(rig.console, OverwriteDecision::Overwrite);
        SettingsSnapshot controls = defaultControls();
        controls.dtrDsrCheck = true;
        rig.live.setDtrDsrCheck(boxAtEnd);
        ASSERT_TRUE(rig.runner.start([&] { ReceiveJob(rig.context, controls, target).run(); }));
        ASSERT_TRUE(rig.console.waitFor("log Warte auf DTR-Signal (ON)."));
        EXPECT_EQ(rig.console.count("line DTR 1"), 0U);
        rig.line.addChunk("P\x04");
        rig.far.setLine(SerialSignal::Dsr, true);
        rig.runner.wait();
        std::vector<std::string> expected{
            "log Warte auf DTR-Signal (ON).", "line DTR 1",
            "log DTR-Signal (ON) empfangen. DSR-Signal (ON) gesendet.", "line RTS 0"};
        if (boxAtEnd) {
            expected.insert(expected.end(), {"line DTR 0", "log DSR-Signal (OFF) gesendet."});
        }
        expected.emplace_back("log 1 Bytes empfangen.");
        EXPECT_THAT(rig.console.eventsWithout({"check", "progress", "clear", "editor", "program ",
                                               "line open", "line close", "line timeouts", "tab",
                                               "caption", "save", "last", "log selection",
                                               "log serielle Schnittstelle", "log Programm",
                                               "log Übertragung"}),
                    testing::ElementsAreArray(expected))
            << "box ticked at the end: " << boxAtEnd;
    }
}

TEST_F(ReceiveJobTest, AbortWhileWaitingForDsrEmptiesTheFileName) {
    controls_.dtrDsrCheck = true;
    start();
    ASSERT_TRUE(rig_.console.waitFor("log Warte auf DTR-Signal (ON)."));
    rig_.abort.raise();
    rig_.runner.wait();
    EXPECT_THAT(
        rig_.console.events(),
        testing::ElementsAreArray(joined(
            opening(), {"log Warte auf DTR-Signal (ON).", "log Übertragung vorzeitig abgebrochen.",
                        "caption Übertragung starten", "progress 0", "tab CNC-Programm",
                        "file name cleared", "line close", "program "})));
}

TEST_F(ReceiveJobTest, CtsWaitAndItsAbort) {
    controls_.handshakeCombo = "RTS/CTS";
    start();
    ASSERT_TRUE(rig_.console.waitFor("log Warte auf RTS-Signal von Maschine..."));
    rig_.abort.raise();
    rig_.runner.wait();
    EXPECT_THAT(rig_.console.events(),
                testing::ElementsAreArray(joined(
                    opening(),
                    {"log Warte auf RTS-Signal von Maschine...",
                     "log Übertragung vorzeitig abgebrochen.", "caption Übertragung starten",
                     "progress 0", "tab CNC-Programm", "line RTS 0", "line close", "program "})));
}

TEST_F(ReceiveJobTest, CtsRaisesRtsOnlyUnderRtsCts) {
    for (const char* handshake : {"RTS/CTS", "RTSHANDSHAKE"}) {
        JobRig rig;
        FakeTarget target(rig.console, OverwriteDecision::Overwrite);
        SettingsSnapshot controls = defaultControls();
        controls.handshakeCombo = handshake;
        rig.far.setLine(SerialSignal::Cts, true);
        rig.line.addChunk("P\x04");
        ReceiveJob(rig.context, controls, target).run();
        std::vector<std::string> expected{
            "log Warte auf RTS-Signal von Maschine...",
            "log RTS von Maschine erhalten. Daten werden empfangen..."};
        if (std::string(handshake) == "RTS/CTS") {
            expected.emplace_back("line RTS 1");
        }
        expected.emplace_back("line RTS 0");
        EXPECT_THAT(rig.console.eventsWithout({"check", "progress", "clear", "editor", "program ",
                                               "line open", "line close", "line timeouts", "tab",
                                               "caption", "save", "last", "log selection",
                                               "log serielle Schnittstelle", "log Programm",
                                               "log Übertragung", "log 1 Bytes"}),
                    testing::ElementsAreArray(expected))
            << handshake;
    }
}

TEST_F(ReceiveJobTest, AbortDuringTheReadLoopKeepsWhatArrivedAndSavesNothing) {
    rig_.line.addChunk("AB");
    start();
    ASSERT_TRUE(rig_.console.waitFor("last 2 Bytes empfangen."));
    rig_.abort.raise();
    rig_.runner.wait();
    const auto events = rig_.console.events();
    ASSERT_GE(events.size(), 7U);
    EXPECT_THAT(std::vector(events.end() - 7, events.end()),
                ElementsAre("log Übertragung vorzeitig abgebrochen.", "caption Übertragung starten",
                            "progress 0", "tab CNC-Programm", "line RTS 0", "line close",
                            "program AB"));
    EXPECT_EQ(rig_.console.editorText(), "AB");
}

TEST_F(ReceiveJobTest, EmptyNameOrDeclinedOverwriteStillReceives) {
    for (const auto decision :
         {OverwriteDecision::NoFileOrEmptyName, OverwriteDecision::KeepExisting}) {
        JobRig rig;
        FakeTarget target(rig.console, decision);
        rig.line.addChunk("G1\x04");
        ReceiveJob(rig.context, defaultControls(), target).run();
        EXPECT_EQ(rig.console.count("save " + std::to_string(static_cast<int>(decision)) + " G1"),
                  1U);
        EXPECT_EQ(rig.console.count("log Übertragung erfolgreich abgeschlossen."), 1U);
    }
}

TEST_F(ReceiveJobTest, InvalidNameNeverStartsTheReception) {
    FakeTarget refusing(rig_.console, OverwriteDecision::InvalidName);
    const std::scoped_lock held(rig_.lock); // a job that waited for it would hang here
    ReceiveJob(rig_.context, controls_, refusing).run();
    EXPECT_THAT(rig_.console.events(), ElementsAre("check target"));
    EXPECT_FALSE(rig_.far.isOpen());
}

TEST_F(ReceiveJobTest, FailedOpenHasClearedTheLogAndTheProgram) {
    rig_.far.refuseOpen(true);
    run();
    EXPECT_THAT(rig_.console.events(),
                ElementsAre("check target", "progress max 100", "clear log", "editor cleared",
                            "program ", "line open failed",
                            "log Fehler! serielle Schnittstelle konnte nicht geöffnet werden.",
                            "log Ursache: die Schnittstelle meldet einen Gerätefehler."));
    EXPECT_TRUE(rig_.lock.try_lock());
    rig_.lock.unlock();
}

TEST_F(ReceiveJobTest, BytesFromTheFarEndArriveThroughTheVirtualLine) {
    start();
    ASSERT_TRUE(rig_.far.waitForOpen(true, std::chrono::seconds(5)));
    ASSERT_TRUE(rig_.console.waitFor("progress 0"));
    rig_.far.send("\0\0N10 G0 X1\r\n\xE4\xF6\xFC\r\n"s);
    rig_.far.send("M30\r\n\x04\0\0"s);
    rig_.runner.wait();
    EXPECT_EQ(rig_.console.programText(), "N10 G0 X1\r\n\xE4\xF6\xFC\r\nM30\r\n");
}

// The service's machines punch no end character: silence after the first
// byte ends the reception as the end character would, never silence before.
TEST_F(ReceiveJobTest, QuietLineEndsAReceptionOnlyAfterItsFirstByte) {
    rig_.context.timing.quietEnd = std::chrono::milliseconds(1);
    start();
    ASSERT_TRUE(rig_.console.waitFor("progress 0"));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(rig_.runner.running());
    rig_.far.send("\0O1234\r\nM30\r\n"s);
    rig_.runner.wait();
    EXPECT_THAT(rig_.console.events(),
                testing::IsSupersetOf({"log Programmübertragung nach 0 s Ruhe beendet."s,
                                       "save 1 O1234\r\nM30\r\n"s}));
}

} // namespace
} // namespace drovane
