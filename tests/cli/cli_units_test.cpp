// The pieces of drovane-cli that need no child process: the command line, the
// profile as a job reads it, the progress line and the console's output.

#include "cli/command_line.h"
#include "cli/crash_line.h"
#include "cli/file_target.h"
#include "cli/machine_choice.h"
#include "cli/machine_lines.h"
#include "cli/progress_line.h"
#include "cli/stream_console.h"
#include "cli/transfer_command.h"
#include "transfer/job_messages.h"
#include "window/profile_snapshot.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>
#include <vector>

namespace drovane {
namespace {

using namespace std::chrono_literals;

ParsedCommandLine parse(std::vector<std::string_view> words) {
    return parseCommandLine(words);
}

// Closed again on return: Windows removes no file that is open.
std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(CommandLine, TakesEveryCommandWithItsOptions) {
    CliArguments send;
    send.command = CliCommand::Send;
    send.settings = "a.ini";
    send.machine = "Dreh1";
    send.port = "ttyUSB0";
    send.file = "P1.nc";
    EXPECT_EQ(
        parse({"send", "--settings", "a.ini", "--machine=Dreh1", "--port", "ttyUSB0", "P1.nc"})
            .arguments,
        send);

    CliArguments receive;
    receive.command = CliCommand::Receive;
    receive.overwrite = true;
    receive.file = "-P2.nc"; // after "--" a leading dash is a file name
    EXPECT_EQ(parse({"receive", "--overwrite", "--", "-P2.nc"}).arguments, receive);

    CliArguments fromBlock;
    fromBlock.command = CliCommand::Send;
    fromBlock.from = SendStart{SendStart::Kind::Block, 100};
    fromBlock.file = "P1.nc";
    EXPECT_EQ(parse({"send", "--from-block", "N0100", "P1.nc"}).arguments, fromBlock);
    fromBlock.from = SendStart{SendStart::Kind::Line, 1200000};
    EXPECT_EQ(parse({"send", "--from-line=1200000", "P1.nc"}).arguments, fromBlock);

    EXPECT_EQ(parse({"machines"}).arguments->command, CliCommand::Machines);
    EXPECT_EQ(parse({"ports"}).arguments->command, CliCommand::Ports);
    EXPECT_EQ(parse({"--version"}).arguments->command, CliCommand::Version);
    EXPECT_EQ(parse({"receive", "-h"}).arguments->command, CliCommand::Help);
}

TEST(CommandLine, RefusesWhatDoesNotFitWithAReason) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{}, "Kein Befehl angegeben."},
        {{"sende", "P1"}, "Unbekannter Befehl: sende"},
        {{"send", "--baud", "9600", "P1"}, "Unbekannte Option: --baud"},
        {{"send", "--overwrite", "P1"},
         "Die Option --overwrite gilt nicht f\xC3\xBCr den Befehl send."},
        {{"machines", "--port", "x"},
         "Die Option --port gilt nicht f\xC3\xBCr den Befehl machines."},
        {{"send", "--port", "a", "--port", "b", "P1"}, "Die Option --port ist mehrfach angegeben."},
        {{"send", "P1", "--port"}, "Der Option --port fehlt ihr Wert."},
        {{"send", "--machine=", "P1"}, "Der Wert der Option --machine ist leer."},
        {{"receive", "--overwrite=yes", "P1"}, "Die Option --overwrite hat keinen Wert."},
        {{"receive"}, "Dem Befehl receive fehlt die DATEI."},
        {{"send", ""}, "Der Dateiname ist leer."},
        {{"send", "P1", "P2"},
         "\xC3\x9C"
         "berz\xC3\xA4hliges Argument: P2"},
        {{"ports", "x"},
         "\xC3\x9C"
         "berz\xC3\xA4hliges Argument: x"},
        {{"receive", "--from-line", "3", "P1"},
         "Die Option --from-line gilt nicht f\xC3\xBCr den Befehl receive."},
        {{"send", "--from-line", "3", "--from-block", "N10", "P1"},
         "Die Optionen --from-line und --from-block schlie\xC3\x9F"
         "en einander aus."},
        {{"send", "--from-line", "0", "P1"}, "Die Zeilennummer 0 ist keine Zahl ab 1."},
        {{"send", "--from-line", "12a", "P1"}, "Die Zeilennummer 12a ist keine Zahl ab 1."},
        {{"send", "--from-block", "100", "P1"}, "Die Satznummer 100 hat nicht die Form N100."},
        {{"send", "--from-block", "N10G1", "P1"}, "Die Satznummer N10G1 hat nicht die Form N100."},
    };
    for (const auto& [words, error] : cases) {
        const ParsedCommandLine parsed = parseCommandLine(words);
        EXPECT_FALSE(parsed.arguments.has_value()) << error;
        EXPECT_EQ(parsed.error, error);
    }
}

TEST(ProfileSnapshot, ShowsTheProfileAsTheLoadedControlsWould) {
    MachineProfile profile = defaultProfile("Dreh1");
    profile.values[ParityField] = "evenparity"; // lists ignore letter case
    profile.values[BaudRateField] = "14400";    // not in the list: no selection
    profile.values[HandshakeField] = "";
    profile.values[PortField] = "com4"; // the port list takes any text
    profile.values[SendBufferField] = "8192";
    profile.values[EndCharField] = "$1A"; // fields as they stand
    profile.values[LeaderCountField] = "0010";
    profile.values[DtrDsrField] = "ja"; // only "Ja" ticks the box
    profile.values[PercentFilterField] = "Ja";
    profile.values[SendControlFilterField] = "Nein";

    const SettingsSnapshot s = snapshotFromProfile(profile, "P1.nc");

    EXPECT_EQ(s.fileNameField, "P1.nc");
    EXPECT_EQ(s.parityCombo, "EVENPARITY");
    EXPECT_EQ(s.baudCombo, "");
    EXPECT_EQ(s.handshakeCombo, "");
    EXPECT_EQ(s.portCombo, "com4");
    EXPECT_EQ(s.sendBufferCombo, "8192");
    EXPECT_EQ(s.receiveBufferCombo, "4096");
    EXPECT_EQ(s.endCharField, "$1A");
    EXPECT_EQ(s.leaderCountField, "0010");
    EXPECT_FALSE(s.dtrDsrCheck);
    // The crossed pair of keys lands in the right controls.
    EXPECT_EQ(s.percentFilterCombo, "Ja");
    EXPECT_EQ(s.sendControlFilterCombo, "Nein");
    EXPECT_EQ(s.stopBitsCombo, "1");
}

// A settings file of its own per test.
class MachineFile : public testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("cli_machines_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    }
    void TearDown() override { std::filesystem::remove(path_); }
    void write(const std::string& bytes) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::vector<std::string> listed() const { return machineLines(readMachineTable(path_)); }

    std::filesystem::path path_;
};

TEST_F(MachineFile, ControlCharactersInNamesReachTheTerminalEscaped) {
    write("Maschine = A\x1B[2J\r\n[A\x1B[2J]\r\nCOM-Nummer = tty\x07\x9D\r\n");
    EXPECT_EQ(listed(),
              (std::vector<std::string>{"*  A\\x1B[2J  tty\\x07\\x9D  4800  8N1  NOHANDSHAKE"}));
    EXPECT_EQ(chooseMachine(path_, "B\x01").error,
              "Unbekannte Maschine: B\\x01\nBekannte Maschinen: A\\x1B[2J");
}

TEST_F(MachineFile, GroupsEqualButForCaseAreListedOnceAsTheLookupFindsThem) {
    write("Maschine = FANUC\r\n[Fanuc]\r\nBaudrate = 9600\r\n[FANUC]\r\nBaudrate = 19200\r\n");
    EXPECT_EQ(listed(), (std::vector<std::string>{"*  Fanuc  COM1  9600  8N1  NOHANDSHAKE"}));
    const MachineChoice choice = chooseMachine(path_, "fanuc");
    ASSERT_TRUE(choice.profile.has_value()) << choice.error;
    EXPECT_EQ(choice.profile->name, "Fanuc");
}

// Selected by its decoded name, such a group would run with the defaults.
TEST_F(MachineFile, AGroupNameThatDoesNotDecodeIsNeitherOfferedNorUsed) {
    const std::string refused = "Die Maschine Fanuc wird nicht verwendet: ihr Gruppenname in der "
                                "Einstellungsdatei ist kein gültiges UTF-8 oder enthält Zeichen "
                                "außerhalb von Windows-1252.";
    write("\xEF\xBB\xBFMaschine = Fanuc\r\n[Fanuc\xFF]\r\nBaudrate = 9600\r\n[Dreh]\r\n");
    const MachineTable table = readMachineTable(path_);
    ASSERT_EQ(table.profiles.size(), 1U);
    EXPECT_EQ(table.profiles[0].name, "Dreh");
    EXPECT_EQ(table.warnings, std::vector<std::string>{refused});
    for (const auto& machine :
         {std::optional<std::string>("Fanuc"), std::optional<std::string>()}) {
        const MachineChoice choice = chooseMachine(path_, machine);
        EXPECT_FALSE(choice.profile.has_value());
        EXPECT_EQ(choice.error, refused);
    }
}

TEST(ProgressLine, ShowsBytesPercentRateAndTimeLeft) {
    EXPECT_EQ(progressText({300, 1200, 10s}), "300/1200 Bytes  25%  30 B/s  noch 0:30");
    EXPECT_EQ(progressText({100, 6100, 1s}), "100/6100 Bytes  1%  100 B/s  noch 1:00");
    EXPECT_EQ(progressText({0, 1200, 0s}), "0/1200 Bytes  0%  - B/s  noch -");
    EXPECT_EQ(progressText({0, 0, 1s}), "0/0 Bytes  100%  - B/s  noch 0:00");
    EXPECT_EQ(progressText({4800, std::nullopt, 2s}), "4800 Bytes  2400 B/s");
}

// A console over temporary files.
class ConsoleOutput : public testing::Test {
protected:
    struct Closer {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };
    using File = std::unique_ptr<std::FILE, Closer>;

    static std::string contents(std::FILE* stream) {
        std::fflush(stream);
        std::rewind(stream);
        std::string text;
        for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
            text.push_back(static_cast<char>(c));
        }
        return text; // at the end again, where the next write goes
    }
    std::string log() { return contents(log_); }
    std::string err() { return contents(err_); }

    File logFile_{std::tmpfile()};
    File errFile_{std::tmpfile()};
    std::FILE* log_ = logFile_.get();
    std::FILE* err_ = errFile_.get();
};

TEST_F(ConsoleOutput, RunningLinesAreThinnedButTheLatestComesBeforeTheNextLine) {
    StreamConsole console(log_, err_, nullptr, TransferDirection::Receive, 1h);
    console.appendLine("serielle Schnittstelle ge\xC3\xB6"
                       "ffnet (3)");
    console.replaceLastLine("10 Bytes empfangen.");
    console.replaceLastLine("20 Bytes empfangen.");
    console.replaceLastLine("30 Bytes empfangen.");
    console.tick();
    console.appendLine(messages::kAborted);
    console.finish();
    EXPECT_EQ(log(), "serielle Schnittstelle ge\xC3\xB6"
                     "ffnet (3)\n10 Bytes empfangen.\n"
                     "30 Bytes empfangen.\n\xC3\x9C"
                     "bertragung vorzeitig abgebrochen.\n");
    EXPECT_TRUE(console.aborted());
    EXPECT_FALSE(console.openFailed());
}

TEST_F(ConsoleOutput, EveryChangeShowsWithoutThinningAndEndingsAreRecognised) {
    StreamConsole console(log_, err_, nullptr, TransferDirection::Send, 0ms);
    console.replaceLastLine("1");
    console.replaceLastLine("2");
    console.appendLine("\xC3\x9C"
                       "bertragung beendet. 2 Bytes gesendet.");
    console.error("Fehler");
    EXPECT_EQ(log(), "1\n2\n\xC3\x9C"
                     "bertragung beendet. 2 Bytes gesendet.\n");
    EXPECT_EQ(err(), "Fehler\n");
    EXPECT_TRUE(console.sendFinished());

    StreamConsole failed(log_, err_, nullptr, TransferDirection::Send, 0ms);
    failed.appendLine(messages::kOpenFailed);
    EXPECT_TRUE(failed.openFailed());
    EXPECT_FALSE(failed.sendFinished());

    StreamConsole received(log_, err_, nullptr, TransferDirection::Receive, 0ms);
    received.appendLine(messages::kSucceeded);
    EXPECT_FALSE(received.lineErrors());
    received.appendLine(messages::kSucceededWithLineErrors);
    EXPECT_TRUE(received.lineErrors());
}

// Line errors change the code only of a reception that was saved: a script
// must still see "aborted" and "not saved" as such.
TEST(ReceptionExitCode, LineErrorsMarkOnlyASavedReception) {
    const struct {
        SaveResult result;
        bool lineErrors;
        ExitCode code;
    } cases[] = {
        {SaveResult::Saved, false, ExitCode::Completed},
        {SaveResult::Saved, true, ExitCode::SavedWithLineErrors},
        {SaveResult::NotReached, true, ExitCode::Aborted},
        {SaveResult::Failed, true, ExitCode::NotSaved},
        {SaveResult::NothingReceived, true, ExitCode::NotSaved},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(receptionExitCode(c.result, c.lineErrors), c.code)
            << static_cast<int>(c.result) << " " << c.lineErrors;
    }
    EXPECT_EQ(toInt(ExitCode::SavedWithLineErrors), 5);
}

TEST_F(ConsoleOutput, ProgressLineIsRedrawnInPlaceAndEnded) {
    StreamConsole console(log_, err_, err_, TransferDirection::Send, 0ms);
    console.setProgressMaximum(4);
    console.setProgressValue(2);
    console.appendLine("Zeile");
    console.finish();
    const std::string progress = err();
    EXPECT_TRUE(progress.starts_with("\r2/4 Bytes  50%")) << progress;
    // Erased before the log line, drawn again after it, ended by a newline.
    EXPECT_NE(progress.find("\033[K\r\033[K\r2/4"), std::string::npos) << progress;
    EXPECT_TRUE(progress.ends_with("\033[K\n")) << progress;
    EXPECT_EQ(log(), "Zeile\n");
}

std::ptrdiff_t failingWrite(OpenFile& /*file*/, std::string_view /*bytes*/) {
    return -1;
}

TEST_F(ConsoleOutput, AFailedSaveLeavesTheOldFileAndRescuesTheText) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("cli_target_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto path = folder / "P1.nc";
    std::ofstream(path) << "old program";
    StreamConsole console(log_, err_, nullptr, TransferDirection::Receive, 0ms);

    const TargetCheck check = checkTarget(path, true);
    ASSERT_EQ(check.decision, OverwriteDecision::Overwrite);
    FileTarget target(path, *check.decision, console, folder / "drovane.ini", failingWrite);
    target.saveProgram("new program", *check.decision);

    EXPECT_EQ(target.result(), SaveResult::Failed);
    EXPECT_EQ(contentOf(path), "old program");
    EXPECT_EQ(contentOf(target.rescuePath()), "new program");
    EXPECT_NE(err().find(target.rescuePath().string()), std::string::npos);
    std::filesystem::remove(target.rescuePath());
    std::filesystem::remove_all(folder);

    EXPECT_FALSE(checkTarget(folder / "x.nc", false).decision.has_value());
    EXPECT_FALSE(checkTarget("", false).decision.has_value());
}

} // namespace
} // namespace drovane

namespace drovane {
namespace {

// The line a crash leaves is built into a fixed buffer on a failing stack:
// it must never run past the buffer, whatever the numbers.
TEST(CrashLine, TellsCodeAndStepAndFitsItsBuffer) {
    const struct {
        std::size_t room;
        std::uint32_t code;
        std::int32_t line;
        std::string_view expected;
    } cases[] = {
        {96, 0xC0000005, 42, "drovane-cli: Programmfehler 0xC0000005 Zeile: 42\n"},
        {96, 0x80000003, 0, "drovane-cli: Programmfehler 0x80000003 Zeile: 0\n"},
        {96, 0xC00000FD, -2147483647 - 1,
         "drovane-cli: Programmfehler 0xC00000FD Zeile: -2147483648\n"},
        {12, 0xC0000094, 7, "drovane-cli:"},
        {0, 0xC0000094, 7, ""},
    };
    for (const auto& c : cases) {
        std::array<char, 100> buffer{};
        buffer.fill('#');
        const std::size_t length =
            formatCrashLine(std::span(buffer.data(), c.room), c.code, c.line);
        EXPECT_EQ(std::string_view(buffer.data(), length), c.expected);
        EXPECT_EQ(buffer.at(c.room), '#') << "written past the buffer";
    }
}

} // namespace
} // namespace drovane
