// drovane-cli.exe as a Windows user runs it, under Wine: its drovane.ini
// beside the .exe, a machine on "COM7", which Wine maps to a pseudo-terminal
// whose master the test holds, and what a script sees (bytes on the line, the
// saved file, the log, the exit code).
//
// Wine gives the exit code's low byte to Linux, which is the whole code for
// every code drovane-cli chooses.

#include "cli_child.h"
#include "wine_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;

WineSetup setup;

// A start of Wine takes seconds, the first in a prefix far more.
constexpr milliseconds kWineLimit(120'000);
constexpr int kMachinePort = 7;
constexpr int kMissingPort = 9;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string lines(std::initializer_list<std::string> entries) {
    std::string text;
    for (const std::string& entry : entries) {
        text += entry + "\r\n";
    }
    return text;
}

const std::string kOpened = "serielle Schnittstelle ge\xC3\xB6"
                            "ffnet";
const std::string kNotOpened = "Fehler! serielle Schnittstelle konnte nicht ge\xC3\xB6"
                               "ffnet werden.\n";
const std::string kAbortedLine = "\xC3\x9C"
                                 "bertragung vorzeitig abgebrochen.\n";

class WineCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("cli_wine_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // A copy, so that the drovane.ini beside it is this test's own.
        fs::copy_file(setup.executable, folder_ / "drovane-cli.exe");
        removeComPort(setup.prefix, kMissingPort);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The remembered machine "Dreh1" on `port`, in the file beside the .exe.
    void writeSettings(const std::string& port, const std::string& extraKeys = {}) const {
        put(folder_ / "drovane.ini",
            lines({"Maschine = Dreh1", "[Dreh1]", "Baudrate = 115200", "COM-Nummer = " + port,
                   "Datenbits = 8", "Parit\xE4t = NOPARITY", "Stopbits = 1",
                   "EinlesenBeenden_Empfangen = 04"}) +
                extraKeys);
    }

    std::vector<std::string> run(const std::vector<std::string>& words) const {
        std::vector<std::string> line{windowsPath(folder_ / "drovane-cli.exe")};
        line.insert(line.end(), words.begin(), words.end());
        return line;
    }

    std::vector<std::string> transfer(const std::string& command, const std::string& file,
                                      std::vector<std::string> extra = {}) const {
        std::vector<std::string> words{command};
        words.insert(words.end(), extra.begin(), extra.end());
        words.push_back(windowsPath(folder_ / file));
        return run(words);
    }

    fs::path folder_;
};

class Exe : public CliChild {
public:
    explicit Exe(const std::vector<std::string>& line) : CliChild(setup.wine, line) {}
};

// Needs the Windows serial back end.
TEST_F(WineCli, SendPutsLeaderTextTrailerAndEndByteOnCom7) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    writeSettings("COM7", lines({"Anzahl_Hexzeichen_Vorlauf = 10",
                                 "Anzahl_Hexzeichen_Nachlauf = 10", "Steuerzeichen_Senden = Ja"}));
    put(folder_ / "P1.nc", "%\nO0001\nG0 X0\nM30\n%\n");
    const std::string settingsBefore = contentOf(folder_ / "drovane.ini");

    Exe cli(transfer("send", "P1.nc"));
    const int code = cli.wait(kWineLimit);

    const std::string expected =
        std::string(10, '\0') + "\nO0001\nG0 X0\nM30\n\n" + std::string(10, '\0') + "\x04";
    ASSERT_TRUE(peer.waitForBytes(expected.size(), milliseconds(5000)))
        << ::testing::PrintToString(peer.received());
    EXPECT_EQ(peer.received(), expected);
    EXPECT_EQ(code, 0) << cli.err();
    const std::string out = cli.out();
    EXPECT_TRUE(out.starts_with(kOpened + " (")) << out;
    EXPECT_TRUE(out.ends_with("\xC3\x9C"
                              "bertragung beendet. 18 Bytes gesendet.\n"))
        << out;
    EXPECT_EQ(contentOf(folder_ / "drovane.ini"), settingsBefore);
}

// Needs the Windows serial back end. The pty keeps the line settings of the
// first send, and Wine refused to set them again on the second.
TEST_F(WineCli, TwoSendsInARowAtSevenEvenTwoBothArrive) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    put(folder_ / "drovane.ini",
        lines({"Maschine = Dreh1", "[Dreh1]", "Baudrate = 9600", "COM-Nummer = COM7",
               "Datenbits = 7", "Parit\xE4t = EVENPARITY", "Stopbits = 2"}));
    std::string expected;
    for (const std::string program : {"O0021\nM30\n", "O0022\nM30\n"}) {
        put(folder_ / "P.nc", program);
        Exe cli(transfer("send", "P.nc"));
        EXPECT_EQ(cli.wait(kWineLimit), 0) << cli.out();
        expected += program + "\x04";
        ASSERT_TRUE(peer.waitForBytes(expected.size(), milliseconds(5000)))
            << ::testing::PrintToString(peer.received());
    }
    EXPECT_EQ(peer.received(), expected);
}

// Needs the Windows serial back end.
TEST_F(WineCli, ReceptionOnCom7IsSavedByteForByte) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    writeSettings("COM7");
    const std::string program = "%\r\nO0002\r\nG1 X\xE4\xFF\x80 Y1\r\nM30\r\n%\r\n";

    Exe cli(transfer("receive", "O0002.nc"));
    ASSERT_TRUE(cli.waitForOutput(kOpened, kWineLimit)) << cli.err();
    peer.write(std::string(5, '\0') + program + "\x04" + "after the end");
    const int code = cli.wait(kWineLimit);

    EXPECT_EQ(code, 0) << cli.err();
    EXPECT_EQ(contentOf(folder_ / "O0002.nc"), program);
    EXPECT_NE(cli.out().find(std::to_string(program.size()) + " Bytes empfangen.\nProgramm unter " +
                             windowsPath(folder_ / "O0002.nc") + " gespeichert.\n"),
              std::string::npos)
        << cli.out();
}

// Needs the Windows serial back end. Wine gives each run the same process
// id: two failed saves in a row must still leave two rescues.
TEST_F(WineCli, TwoRescuesInARowKeepBothTexts) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    writeSettings("COM7");
    std::vector<fs::path> rescues;
    for (const std::string program : {"O0011\r\nM30\r\n", "O0012\r\nM30\r\n"}) {
        fs::create_directory(folder_ / "sub");
        Exe cli(transfer("receive", "sub/P9.nc"));
        ASSERT_TRUE(cli.waitForOutput(kOpened, kWineLimit)) << cli.err();
        fs::remove_all(folder_ / "sub"); // the folder goes while the machine sends
        peer.write(program + "\x04");
        EXPECT_EQ(cli.wait(kWineLimit), 4) << cli.err();
        const std::string err = cli.err();
        const std::string note = "Der empfangene Text liegt in ";
        const std::size_t at = err.find(note);
        ASSERT_NE(at, std::string::npos) << err;
        const std::size_t from = at + note.size();
        rescues.push_back(
            linuxPath(setup.prefix, err.substr(from, err.find(".\n", from + 1) - from)));
    }
    EXPECT_NE(rescues[0], rescues[1]);
    EXPECT_EQ(contentOf(rescues[0]), "O0011\r\nM30\r\n");
    EXPECT_EQ(contentOf(rescues[1]), "O0012\r\nM30\r\n");
    for (const fs::path& rescue : rescues) {
        fs::remove(rescue);
    }
}

// Needs the Windows serial back end.
TEST_F(WineCli, XoffHoldsTheSendOnCom7AndNothingIsLost) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    writeSettings("COM7", lines({"Protokoll = XON/XOFF"}));
    std::string program;
    for (int line = 0; program.size() < 200'000; ++line) {
        program += "N" + std::to_string(line) + " G1 X" + std::to_string(line % 997) + "\n";
    }
    put(folder_ / "BIG.nc", program);

    Exe cli(transfer("send", "BIG.nc"));
    ASSERT_TRUE(peer.waitForBytes(1, kWineLimit)) << cli.err();
    peer.write("\x13");
    ASSERT_TRUE(cli.waitForOutput("(XOFF erhalten)", kWineLimit)) << cli.out();
    // Whatever was under way has arrived by now; a hold lets nothing more out.
    std::this_thread::sleep_for(milliseconds(500));
    const std::size_t held = peer.received().size();
    std::this_thread::sleep_for(milliseconds(1500));
    EXPECT_EQ(peer.received().size(), held);
    EXPECT_LT(held, program.size());
    peer.write("\x11");
    EXPECT_EQ(cli.wait(kWineLimit), 0) << cli.err();

    EXPECT_TRUE(peer.waitForBytes(program.size() + 1, milliseconds(5000))) << cli.out();
    EXPECT_EQ(peer.received().size(), program.size() + 1);
    EXPECT_EQ(peer.received(), program + "\x04");
}

// Needs the Windows serial back end.
TEST_F(WineCli, ReceptionOfNothingOnCom7ExitsFour) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    writeSettings("COM7");
    Exe cli(transfer("receive", "empty.nc"));
    ASSERT_TRUE(cli.waitForOutput(kOpened, kWineLimit)) << cli.err();
    peer.write("\x04");
    EXPECT_EQ(cli.wait(kWineLimit), 4);
    EXPECT_NE(cli.out().find("0 Bytes empfangen."), std::string::npos) << cli.out();
    EXPECT_FALSE(fs::exists(folder_ / "empty.nc"));
}

// Needs the Windows serial back end: Wine turns SIGINT into Ctrl+C.
TEST_F(WineCli, CtrlCDuringAHeldSendOnCom7AbortsItMidText) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    writeSettings("COM7", lines({"Protokoll = XON/XOFF"}));
    put(folder_ / "BIG.nc", std::string(1'000'000, 'X'));

    Exe cli(transfer("send", "BIG.nc"));
    ASSERT_TRUE(peer.waitForBytes(1, kWineLimit));
    peer.write("\x13");
    ASSERT_TRUE(cli.waitForOutput("(XOFF erhalten)", kWineLimit)) << cli.out();
    cli.signal(SIGINT);
    EXPECT_EQ(cli.wait(kWineLimit), 3);
    EXPECT_TRUE(cli.out().ends_with(kAbortedLine)) << cli.out();
    EXPECT_EQ(peer.received().find('\x04'), std::string::npos);
}

// Runs without a serial back end: the built-in machine.
TEST_F(WineCli, CtrlCAbortsASendToTheVirtualMachine) {
    writeSettings("VIRTUELL");
    put(folder_ / "BIG.nc", std::string(1'000'000, 'X'));
    Exe cli(transfer("send", "BIG.nc"));
    ASSERT_TRUE(cli.waitForOutput(kOpened, kWineLimit)) << cli.err();
    cli.signal(SIGINT);
    EXPECT_EQ(cli.wait(kWineLimit), 3);
    // The machine's own note on the broken program may follow.
    EXPECT_NE(cli.out().find(kAbortedLine), std::string::npos) << cli.out();
    EXPECT_EQ(cli.out().find("Bytes gesendet."), std::string::npos) << cli.out();
    EXPECT_NE(cli.err().find("Abbruch angefordert..."), std::string::npos) << cli.err();
}

// The file name comes through Windows' UTF-16 command line and goes back out
// through the wide file calls; the log shows it in UTF-8 as on Linux.
TEST_F(WineCli, ProgramNamesWithUmlautsAreReadAndWritten) {
    writeSettings("VIRTUELL");
    put(folder_ / "Pr\xC3\xBC"
                  "fteil.nc",
        "O0007\nG0 X0\nM30\n");
    Exe send(transfer("send", "Pr\xC3\xBC"
                              "fteil.nc"));
    EXPECT_EQ(send.wait(kWineLimit), 0) << send.err();

    Exe receive(transfer("receive", "R\xC3\xBC"
                                    "ckgabe.nc"));
    EXPECT_EQ(receive.wait(kWineLimit), 0) << receive.err();
    EXPECT_FALSE(contentOf(folder_ / "R\xC3\xBC"
                                     "ckgabe.nc")
                     .empty());
    EXPECT_NE(receive.out().find("R\xC3\xBC"
                                 "ckgabe.nc gespeichert."),
              std::string::npos)
        << receive.out();
}

// The same profile on both systems: the virtual machine punches the same
// program, and both save it byte for byte alike.
TEST_F(WineCli, ReceptionFromTheVirtualMachineEqualsTheLinuxOne) {
    writeSettings("VIRTUELL");
    Exe windows(transfer("receive", "win.nc"));
    ASSERT_EQ(windows.wait(kWineLimit), 0) << windows.err();
    CliChild linux(DROVANE_CLI_PATH, {"receive", "--settings", (folder_ / "drovane.ini").string(),
                                      (folder_ / "linux.nc").string()});
    ASSERT_EQ(linux.wait(kWineLimit), 0) << linux.err();
    EXPECT_FALSE(contentOf(folder_ / "win.nc").empty());
    EXPECT_EQ(contentOf(folder_ / "win.nc"), contentOf(folder_ / "linux.nc"));
}

// Everything that ends before a port opens, and a port that is not there.
TEST_F(WineCli, FailuresGetTheirExitCodesAndAMessage) {
    writeSettings("COM9");
    put(folder_ / "P1.nc", "G0\n");
    put(folder_ / "old.nc", "old");
    struct Case {
        std::vector<std::string> line;
        int code;
        std::string err;
        std::string out;
    };
    const std::vector<Case> cases = {
        {run({"transmit", "x"}), 1, "Unbekannter Befehl: transmit", ""},
        {run({"send"}), 1, "fehlt die DATEI", ""},
        {transfer("send", "missing.nc"), 1, "kann nicht gelesen werden", ""},
        {transfer("send", "P1.nc", {"--machine", "Fr\xC3\xA4se"}), 1,
         "Unbekannte Maschine: Fr\xC3\xA4se\nBekannte Maschinen: Dreh1", ""},
        {transfer("receive", "a?b.nc"), 1, "ung\xC3\xBCltige Zeichen", ""},
        {transfer("receive", "old.nc"), 1, "existiert bereits", ""},
        {transfer("send", "P1.nc"), 2, "", kNotOpened},
        {transfer("receive", "new.nc"), 2, "", kNotOpened},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.size() > 1 ? c.line[1] + " " + c.line.back() : c.line[0]);
        Exe cli(c.line);
        EXPECT_EQ(cli.wait(kWineLimit), c.code);
        EXPECT_NE(cli.err().find(c.err), std::string::npos) << cli.err();
        EXPECT_TRUE(cli.out().starts_with(c.out)) << cli.out();
    }
    EXPECT_EQ(contentOf(folder_ / "old.nc"), "old");
    EXPECT_FALSE(fs::exists(folder_ / "new.nc"));
}

// Wine's link for COM7 is in neither of the system's port maps: the port is
// offered all the same, and a COM port without a link is not.
TEST_F(WineCli, PortsListsACom7ThatWineMapsToADevice) {
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    Exe cli(run({"ports"}));
    EXPECT_EQ(cli.wait(kWineLimit), 0) << cli.err();
    const std::string out = "\n" + cli.out();
    EXPECT_NE(out.find("\nCOM7"), std::string::npos) << out;
    EXPECT_EQ(out.find("\nCOM9"), std::string::npos) << out;
}

// Without --settings the file beside the .exe is read; a COM port keeps its
// one and a half stop bits, which a Linux terminal port cannot.
TEST_F(WineCli, MachinesReadsTheFileBesideTheExe) {
    put(folder_ / "drovane.ini",
        lines({"Maschine = M\xFChle", "[M\xFChle]", "COM-Nummer = COM7", "Baudrate = 9600",
               "Datenbits = 7", "Parit\xE4t = EVENPARITY", "Stopbits = 1.5",
               "Protokoll = XON/XOFF"}));
    Exe cli(run({"machines"}));
    EXPECT_EQ(cli.wait(kWineLimit), 0) << cli.err();
    EXPECT_EQ(cli.out(), "*  M\xC3\xBChle  COM7  9600  7E1.5  XON/XOFF\n");
    EXPECT_EQ(cli.err(), "");
}

} // namespace
} // namespace drovane::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!drovane::testing::takeWineSetup({argv + 1, argv + argc}, drovane::testing::setup)) {
        std::cerr << "Aufruf: cli_wine_tests --prefix=WINEPREFIX --exe=drovane-cli.exe "
                     "[--wine=wine] [gtest-Optionen]\n";
        return 2;
    }
    ::setenv("WINEPREFIX", drovane::testing::setup.prefix.c_str(), 1);
    ::setenv("WINEDEBUG", "-all", 1);
    // Wine reads the words of the command line in the locale's encoding.
    ::setenv("LC_ALL", "C.UTF-8", 1);
    return RUN_ALL_TESTS();
}
