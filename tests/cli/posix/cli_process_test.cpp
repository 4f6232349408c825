// drovane-cli end to end: the real executable as a child process, a scripted
// machine on a pseudo-terminal, and what a script sees (bytes on the line,
// the saved file, the log, the exit code).

#include "cli_child.h"
#include "serial/termios/termios_serial_line.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The file named by the rescue note on standard error; empty without one.
fs::path rescuePathIn(const std::string& err) {
    const std::string note = "Der empfangene Text liegt in ";
    const std::size_t at = err.find(note);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t from = at + note.size();
    return err.substr(from, err.find(".\n", from + 1) - from);
}

std::string lines(std::initializer_list<std::string> entries) {
    std::string text;
    for (const std::string& entry : entries) {
        text += entry + "\r\n";
    }
    return text;
}

// drovane-cli of this build.
class Cli : public CliChild {
public:
    explicit Cli(const std::vector<std::string>& arguments)
        : CliChild(DROVANE_CLI_PATH, arguments) {}
};

class CliProcess : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("cli_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        settings_ = folder_ / "drovane.ini";
    }
    void TearDown() override { fs::remove_all(folder_); }

    // One machine "Dreh1" on `port`; the remembered machine is "Dreh1".
    void writeSettings(const std::string& port, const std::string& extraKeys = {}) const {
        put(settings_, lines({"Maschine = Dreh1", "[Dreh1]", "Baudrate = 115200",
                              "COM-Nummer = " + port, "Datenbits = 8", "Parit\xE4t = NOPARITY",
                              "Stopbits = 1", "EinlesenBeenden_Empfangen = 04"}) +
                           extraKeys);
    }

    std::vector<std::string> transfer(const std::string& command, const fs::path& file,
                                      std::vector<std::string> extra = {}) const {
        std::vector<std::string> words{command, "--settings", settings_.string()};
        words.insert(words.end(), extra.begin(), extra.end());
        words.push_back(file.string());
        return words;
    }

    fs::path folder_;
    fs::path settings_;
};

TEST_F(CliProcess, SendPutsLeaderTextTrailerAndEndByteOnTheLine) {
    PtyPeer peer;
    writeSettings(peer.slavePath(),
                  lines({"Anzahl_Hexzeichen_Vorlauf = 10", "Anzahl_Hexzeichen_Nachlauf = 10",
                         "Steuerzeichen_Senden = Ja"}));
    put(folder_ / "P1.nc", "%\nO0001\nG0 X0\nM30\n%\n");
    const std::string settingsBefore = contentOf(settings_);

    Cli cli(transfer("send", folder_ / "P1.nc"));
    const int code = cli.wait();

    const std::string expected =
        std::string(10, '\0') + "\nO0001\nG0 X0\nM30\n\n" + std::string(10, '\0') + "\x04";
    ASSERT_TRUE(peer.waitForBytes(expected.size(), milliseconds(2000)))
        << ::testing::PrintToString(peer.received());
    EXPECT_EQ(peer.received(), expected);
    EXPECT_EQ(code, 0) << cli.err();
    const std::string out = cli.out();
    EXPECT_EQ(out.find("serielle Schnittstelle ge\xC3\xB6"
                       "ffnet ("),
              0U)
        << out;
    EXPECT_TRUE(out.ends_with("\xC3\x9C"
                              "bertragung beendet. 18 Bytes gesendet.\n"))
        << out;
    // The command line never writes the settings file.
    EXPECT_EQ(contentOf(settings_), settingsBefore);
}

TEST_F(CliProcess, SendFromABlockPutsTheHeadThenTheRestOnTheLine) {
    PtyPeer peer;
    writeSettings(peer.slavePath(), lines({"Stringausgabe_nach_Zeilenende = ;"}));
    const std::string program = "%\r\nO0001\r\nN10 G0 X0\r\nN20 G1 X5\r\nN30 M30\r\n%\r\n";
    put(folder_ / "P1.nc", program);

    Cli cli(transfer("send", folder_ / "P1.nc", {"--from-block", "N20"}));
    EXPECT_EQ(cli.wait(), 0) << cli.err();

    // Prepared as always: the line-end string goes into the restart text too.
    const std::string expected = "%;\r\nO0001;\r\nN20 G1 X5;\r\nN30 M30;\r\n%;\r\n\x04";
    ASSERT_TRUE(peer.waitForBytes(expected.size(), milliseconds(2000)))
        << ::testing::PrintToString(peer.received());
    EXPECT_EQ(peer.received(), expected);
    EXPECT_NE(cli.out().find("Gesendet wird der Programmkopf, dann ab Zeile 4.\n"),
              std::string::npos)
        << cli.out();
    EXPECT_EQ(contentOf(folder_ / "P1.nc"), program);
}

TEST_F(CliProcess, AStartThatIsNotInTheProgramIsRefusedBeforeThePortOpens) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    put(folder_ / "P1.nc", "%\nO1\nN10\n");
    const std::pair<std::string, std::string> cases[] = {
        {"--from-line=4", "Das Programm hat keine Zeile 4 (es hat 3 Zeilen).\n"},
        {"--from-block=N20", "Der Satz N20 kommt im Programm nicht vor.\n"},
    };
    for (const auto& [option, refusal] : cases) {
        Cli cli(transfer("send", folder_ / "P1.nc", {option}));
        EXPECT_EQ(cli.wait(), 1) << option;
        EXPECT_EQ(cli.err(), refusal);
        EXPECT_EQ(cli.out(), "");
    }
}

TEST_F(CliProcess, SendOfAFileWithANulSaysWhereTheProgramEnds) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    put(folder_ / "P1.nc", std::string("G0\n\0M30\n", 8));

    Cli cli(transfer("send", folder_ / "P1.nc"));
    EXPECT_EQ(cli.wait(), 0) << cli.err();
    ASSERT_TRUE(peer.waitForBytes(4, milliseconds(2000)));
    EXPECT_EQ(peer.received(), "G0\n\x04");
    EXPECT_NE(cli.err().find("Achtung! Die Datei enth\xC3\xA4lt an Byte 4 ein HEX(00)-Zeichen"),
              std::string::npos)
        << cli.err();
}

TEST_F(CliProcess, ReceptionIsSavedByteForByte) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    const fs::path target = folder_ / "O0002.nc";
    const std::string program = "%\r\nO0002\r\nG1 X\xE4\xFF\x80 Y1\r\nM30\r\n%\r\n";

    Cli cli(transfer("receive", target));
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    peer.write(std::string(5, '\0') + program + "\x04" + "after the end");
    const int code = cli.wait();

    EXPECT_EQ(code, 0) << cli.err();
    EXPECT_EQ(contentOf(target), program);
    const std::string out = cli.out();
    EXPECT_NE(out.find("Programm\xC3\xBC"
                       "bertragung durch EOF<04> beendet.\n"
                       "\xC3\x9C"
                       "bertragung erfolgreich abgeschlossen.\n" +
                       std::to_string(program.size()) +
                       " Bytes empfangen.\n"
                       "Programm unter " +
                       target.string() + " gespeichert.\n"),
              std::string::npos)
        << out;
}

TEST_F(CliProcess, PortOptionOverridesTheProfileForThisRunOnly) {
    PtyPeer peer;
    writeSettings("/dev/drovane-no-such-port");
    put(folder_ / "P1.nc", "G0\n");

    Cli overridden(transfer("send", folder_ / "P1.nc", {"--port", peer.slavePath()}));
    EXPECT_EQ(overridden.wait(), 0) << overridden.err();
    ASSERT_TRUE(peer.waitForBytes(4, milliseconds(2000)));
    EXPECT_EQ(peer.received(), "G0\n\x04");

    // The profile's own port is still the one in the file.
    Cli plain(transfer("send", folder_ / "P1.nc"));
    EXPECT_EQ(plain.wait(), 2);
    EXPECT_EQ(plain.out(), "Fehler! serielle Schnittstelle konnte nicht ge\xC3\xB6"
                           "ffnet werden.\n"
                           "Ursache: die Schnittstelle existiert nicht.\n");
}

TEST_F(CliProcess, APortThatCannotBeOpenedIsToldWhy) {
    PtyPeer peer;
    put(folder_ / "P1.nc", "G0\n");
    TermiosSerialLine holder;
    SerialSettings held;
    held.portName = peer.slavePath();
    struct Case {
        std::string port;
        std::string baud;
        std::string dataBits;
        bool holdPort;
        std::string reason;
    };
    const std::string refused = "Ursache: die Schnittstelle nimmt die Einstellungen nicht an";
    const std::vector<Case> cases = {
        {peer.slavePath(), "0", "8", false, refused},
        {peer.slavePath(), "115200", "9", false, refused},
        {(folder_ / "P1.nc").string(), "115200", "8", false,
         "Ursache: das Ger\xC3\xA4t ist keine serielle Schnittstelle."},
        {peer.slavePath(), "115200", "8", true,
         "Ursache: die Schnittstelle wird von einem anderen Programm benutzt."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        put(settings_, lines({"Maschine = Dreh1", "[Dreh1]", "Baudrate = " + c.baud,
                              "Datenbits = " + c.dataBits, "COM-Nummer = " + c.port}));
        const int id = c.holdPort ? holder.open(held) : 0;
        ASSERT_EQ(id != 0, c.holdPort);
        Cli cli(transfer("send", folder_ / "P1.nc"));
        EXPECT_EQ(cli.wait(), 2);
        EXPECT_NE(cli.out().find("ffnet werden.\n" + c.reason), std::string::npos) << cli.out();
        holder.close(id);
    }
    EXPECT_EQ(peer.received(), "");
}

TEST_F(CliProcess, FailuresGetTheirExitCodesAndAMessage) {
    writeSettings("/dev/drovane-no-such-port");
    put(folder_ / "P1.nc", "G0\n");
    put(folder_ / "old.nc", "old");
    ASSERT_EQ(::mkfifo((folder_ / "fifo.nc").c_str(), 0600), 0);

    struct Case {
        std::vector<std::string> words;
        int code;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"send"}, 1, "fehlt die DATEI"},
        {{"transmit", "x"}, 1, "Unbekannter Befehl: transmit"},
        {{"send", "--speed", "9600", "x"}, 1, "Unbekannte Option: --speed"},
        {{"ports", "--machine", "Dreh1"}, 1, "gilt nicht f\xC3\xBCr den Befehl ports"},
        {transfer("send", folder_ / "missing.nc"), 1, "kann nicht gelesen werden"},
        // Nobody ever writes the FIFO: the send must not wait for a writer.
        {transfer("send", folder_ / "fifo.nc"), 1, "kann nicht gelesen werden"},
        {transfer("send", "/dev/null"), 1, "kann nicht gelesen werden"},
        {transfer("send", folder_ / "P1.nc", {"--machine", "Fr\xC3\xA4se"}), 1,
         "Unbekannte Maschine: Fr\xC3\xA4se\nBekannte Maschinen: Dreh1"},
        {transfer("receive", folder_ / "a?b.nc"), 1, "ung\xC3\xBCltige Zeichen"},
        // Refused before the port is opened: the port would give 2.
        {transfer("receive", folder_ / "old.nc"), 1, "existiert bereits"},
        {transfer("receive", folder_ / "gone" / "x.nc"), 1, "existiert nicht"},
        {transfer("send", folder_ / "P1.nc"), 2, ""},
        {transfer("receive", folder_ / "new.nc"), 2, ""},
    };
    for (const Case& c : cases) {
        Cli cli(c.words);
        const int code = cli.wait();
        SCOPED_TRACE(c.words.size() > 1 ? c.words[0] + " " + c.words.back() : c.words[0]);
        EXPECT_EQ(code, c.code);
        EXPECT_NE(cli.err().find(c.message), std::string::npos) << cli.err();
    }
    EXPECT_EQ(contentOf(folder_ / "old.nc"), "old");
    EXPECT_FALSE(fs::exists(folder_ / "new.nc"));
}

TEST_F(CliProcess, AnUnreadableSettingsFileGivesDefaultsWithAWarning) {
    fs::create_directory(folder_ / "folder.ini");
    Cli cli({"machines", "--settings", (folder_ / "folder.ini").string()});
    EXPECT_EQ(cli.wait(), 0);
    EXPECT_NE(cli.err().find("kann nicht gelesen werden, es gelten die Standardwerte"),
              std::string::npos)
        << cli.err();
    EXPECT_EQ(cli.out(), "");
}

// The temporary folder and the target's folder both fail: the settings
// file's folder takes the text.
TEST_F(CliProcess, ReceptionThatCannotBeSavedExitsFourAndKeepsTheText) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    fs::create_directory(folder_ / "sub");
    const fs::path target = folder_ / "sub" / "P9.nc";

    std::vector<std::string> words{"TMPDIR=" + (folder_ / "nowhere").string(), DROVANE_CLI_PATH};
    for (std::string& word : transfer("receive", target)) {
        words.push_back(std::move(word));
    }
    CliChild cli("env", words);
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    fs::remove_all(folder_ / "sub"); // the folder goes while the machine sends
    peer.write("O0009\nM30\n\x04");
    EXPECT_EQ(cli.wait(), 4);

    EXPECT_FALSE(fs::exists(target));
    const std::string err = cli.err();
    EXPECT_NE(
        err.find("Fehler! Programm konnte nicht unter " + target.string() + " gespeichert werden."),
        std::string::npos)
        << err;
    const fs::path rescue = rescuePathIn(err);
    EXPECT_EQ(rescue.parent_path(), folder_);
    EXPECT_EQ(contentOf(rescue), "O0009\nM30\n");
}

TEST_F(CliProcess, ReceptionOfNothingExitsFour) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    Cli cli(transfer("receive", folder_ / "empty.nc"));
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    peer.write("\x04");
    EXPECT_EQ(cli.wait(), 4);
    EXPECT_NE(cli.out().find("0 Bytes empfangen."), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "empty.nc"));
}

TEST_F(CliProcess, SigintDuringASendAbortsItMidText) {
    PtyPeer peer;
    writeSettings(peer.slavePath(), lines({"Protokoll = XON/XOFF"}));
    const std::string program(4'000'000, 'X');
    put(folder_ / "BIG.nc", program);

    Cli cli(transfer("send", folder_ / "BIG.nc"));
    ASSERT_TRUE(peer.waitForBytes(1));
    peer.write("\x13"); // XOFF: the machine holds the line
    ASSERT_TRUE(cli.waitForOutput("(XOFF erhalten)")) << cli.out();
    cli.signal(SIGINT);
    EXPECT_EQ(cli.wait(), 3);

    const std::string out = cli.out();
    EXPECT_TRUE(out.ends_with("\xC3\x9C"
                              "bertragung vorzeitig abgebrochen.\n"))
        << out;
    EXPECT_EQ(out.find("Bytes gesendet."), std::string::npos);
    // No trailer and no end byte after an abort.
    const std::string sent = peer.received();
    EXPECT_LT(sent.size(), program.size());
    EXPECT_EQ(sent.find('\x04'), std::string::npos);
}

TEST_F(CliProcess, AbortedReceptionKeepsWhatCameInARescueFile) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    const fs::path target = folder_ / "P3.nc";

    Cli cli(transfer("receive", target));
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    // The machine never sends the end character: only the operator ends it.
    peer.write("O0003\nG0 X1\n");
    ASSERT_TRUE(cli.waitForOutput("12 Bytes empfangen.\n")) << cli.out();
    cli.signal(SIGTERM);
    EXPECT_EQ(cli.wait(), 3);

    EXPECT_TRUE(cli.out().ends_with("\xC3\x9C"
                                    "bertragung vorzeitig abgebrochen.\n"))
        << cli.out();
    EXPECT_NE(cli.err().find("Abbruch angefordert"), std::string::npos);
    EXPECT_FALSE(fs::exists(target));
    const fs::path rescue = rescuePathIn(cli.err());
    EXPECT_EQ(contentOf(rescue), "O0003\nG0 X1\n");
    fs::remove(rescue);
}

// No folder left to take what came: the exit code must not say it was kept.
TEST_F(CliProcess, AbortedReceptionWithNowhereToKeepItExitsFour) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    const std::string nowhere = (folder_ / "nowhere").string();
    std::vector<std::string> words{"TMPDIR=" + nowhere, "HOME=" + nowhere, DROVANE_CLI_PATH};
    for (std::string& word : transfer("receive", folder_ / "P5.nc")) {
        words.push_back(std::move(word));
    }
    CliChild cli("env", words);
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    peer.write("O0005\n");
    ASSERT_TRUE(cli.waitForOutput("6 Bytes empfangen.\n")) << cli.out();
    fs::remove_all(folder_);
    cli.signal(SIGTERM);
    EXPECT_EQ(cli.wait(), 4);
    EXPECT_NE(cli.err().find("Der empfangene Text konnte nirgends gesichert werden; nichts ist "
                             "gespeichert."),
              std::string::npos)
        << cli.err();
}

TEST_F(CliProcess, SigintWhileWaitingForTheMachineEndsAReception) {
    PtyPeer peer;
    writeSettings(peer.slavePath());
    Cli cli(transfer("receive", folder_ / "P4.nc"));
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    cli.signal(SIGINT);
    EXPECT_EQ(cli.wait(), 3);
    EXPECT_FALSE(fs::exists(folder_ / "P4.nc"));
}

TEST_F(CliProcess, MachinesListsEveryGroupAndMarksTheRememberedOne) {
    put(settings_,
        lines({"Maschine = M\xFChle", "Path = /tmp/", "[Dreh1]", "Baudrate = 9600",
               "COM-Nummer = COM2", "Datenbits = 7", "Parit\xE4t = EVENPARITY", "Stopbits = 2",
               "Protokoll = XON/XOFF", "[M\xFChle]", "COM-Nummer = ttyUSB0", "Stopbits = 1.5",
               "Parit\xE4t = oddparity", "Protokoll = RTS/CTS", "[Leer]",
               // What the line gets from values outside the lists.
               "[Wirr]", "Baudrate = 12345", "Datenbits = 9", "Stopbits = 3", "[Krumm]",
               "Stopbits = 0", "Protokoll = RTS", "[Virt]", "COM-Nummer = VIRTUELL",
               "Stopbits = 3"}));
    Cli cli({"machines", "--settings", settings_.string()});
    EXPECT_EQ(cli.wait(), 0);
    // A terminal port has no one and a half stop bits; the virtual line has.
    EXPECT_EQ(cli.out(), "   Dreh1  COM2      9600      7E2       XON/XOFF\n"
                         "*  M\xC3\xBChle  ttyUSB0   4800      8O2       RTS/CTS\n"
                         "   Leer   COM1      4800      8N1       NOHANDSHAKE\n"
                         "   Wirr   COM1      ung\xC3\xBCltig  ung\xC3\xBCltig  NOHANDSHAKE\n"
                         "   Krumm  COM1      4800      8N2       NOHANDSHAKE\n"
                         "   Virt   VIRTUELL  4800      8N1.5     NOHANDSHAKE\n");
    EXPECT_EQ(cli.err(), "");
}

TEST_F(CliProcess, VersionAndHelpTellWhatTheyShould) {
    Cli version({"--version"});
    EXPECT_EQ(version.wait(), 0);
    EXPECT_EQ(version.out(), "drovane-cli 0.817\n");
    Cli help({"send", "--help"});
    EXPECT_EQ(help.wait(), 0);
    for (const char* code : {"  0  ", "  1  ", "  2  ", "  3  ", "  4  ", "  5  "}) {
        EXPECT_NE(help.out().find(code), std::string::npos) << code;
    }
}

} // namespace
} // namespace drovane::testing
