// The built program as two processes: a later start hands its file to the
// running instance and ends; the running one applies it, or keeps it while a
// job runs; a killed instance leaves nothing that blocks; a fault of the
// running program reaches the box.

#include "child_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

using namespace drovane;
namespace fs = std::filesystem;
using std::chrono::seconds;

namespace {

// Generous: the machine may be busy with other builds.
constexpr seconds Patience{30};

class SecondStart : public ::testing::Test {
protected:
    void SetUp() override {
        // Short: a socket path has room for only 107 bytes.
        static int count = 0;
        root = fs::temp_directory_path() /
               ("drovane_ss_" + std::to_string(::getpid()) + "_" + std::to_string(++count));
        fs::remove_all(root);
        fs::create_directories(root / "runtime");
        fs::permissions(root / "runtime", fs::perms::owner_all);
        fs::create_directories(root / "nc files");
        writeProgram("one.nc", "G1 X1\nM30\n");
        writeProgram("two.nc", "G2 X2\nM30\n");
    }
    void TearDown() override { fs::remove_all(root); }

    void writeProgram(const std::string& name, const std::string& text) const {
        std::ofstream(root / "nc files" / name, std::ios::binary) << text;
    }
    std::string programPath(const std::string& name) const {
        return (root / "nc files" / name).string();
    }
    std::vector<std::pair<std::string, std::string>> environment() const {
        return {{"XDG_RUNTIME_DIR", (root / "runtime").string()}, {"QT_QPA_PLATFORM", "offscreen"}};
    }

    std::unique_ptr<ChildProcess> startFirst(const std::vector<std::string>& arguments = {}) {
        auto first = std::make_unique<ChildProcess>(PROBE_PROGRAM, arguments, environment());
        EXPECT_EQ(first->readLine(Patience), "ready");
        return first;
    }
    // Starts the real program a second time; its exit code.
    std::optional<int> startSecond(const std::vector<std::string>& arguments,
                                   const std::string& workingDirectory = {}) {
        ChildProcess second(DROVANE_PROGRAM, arguments, environment(), workingDirectory);
        const auto started = std::chrono::steady_clock::now();
        const auto code = second.waitForExit(Patience);
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started);
        RecordProperty("second_start_ms", static_cast<int>(took.count()));
        return code;
    }
    static std::optional<std::string> ask(ChildProcess& first, const std::string& command) {
        first.writeLine(command);
        return first.readLine(Patience);
    }
    std::string sendState(const std::string& name, const std::string& firstLine) const {
        return "state send|" + name + "|" + (root / "nc files").string() + "/|" + firstLine;
    }

    fs::path root;
};

} // namespace

TEST_F(SecondStart, HandsAPathWithBlanksOverAndTheFirstSwitchesToSendMode) {
    auto first = startFirst();
    ASSERT_EQ(ask(*first, "receive"), "ok");
    ASSERT_EQ(ask(*first, "state").value_or("").rfind("state receive||", 0), 0U);

    EXPECT_EQ(startSecond({programPath("one.nc")}), 0);
    EXPECT_EQ(first->readLine(Patience), "applied " + programPath("one.nc"));
    EXPECT_EQ(ask(*first, "state"), sendState("one.nc", "G1 X1"));

    // Quoted as a Windows caller would, in one argument.
    ASSERT_EQ(ask(*first, "receive"), "ok");
    EXPECT_EQ(startSecond({"\"" + programPath("two.nc") + "\""}), 0);
    EXPECT_EQ(first->readLine(Patience), "applied " + programPath("two.nc"));
    EXPECT_EQ(ask(*first, "state"), sendState("two.nc", "G2 X2"));
}

TEST_F(SecondStart, AnEmptyParameterChangesNothingAndARelativeNameMeansTheSendersFolder) {
    auto first = startFirst();
    ASSERT_EQ(ask(*first, "receive"), "ok");
    EXPECT_EQ(startSecond({}), 0);
    // The next event must be the named file: the empty text applied nothing.
    EXPECT_EQ(startSecond({"two.nc"}, (root / "nc files").string()), 0);
    EXPECT_EQ(first->readLine(Patience), "applied " + programPath("two.nc"));
    EXPECT_EQ(ask(*first, "state"), sendState("two.nc", "G2 X2"));
}

TEST_F(SecondStart, AHandOverDuringAJobWaitsAndOnlyTheNewestIsApplied) {
    auto first = startFirst();
    ASSERT_EQ(ask(*first, "receive"), "ok");
    ASSERT_EQ(ask(*first, "job on"), "ok");
    const auto before = ask(*first, "state");
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(startSecond({programPath("one.nc")}), 0);
    EXPECT_EQ(first->readLine(Patience), "held " + programPath("one.nc"));
    EXPECT_EQ(startSecond({programPath("two.nc")}), 0);
    EXPECT_EQ(first->readLine(Patience), "held " + programPath("two.nc"));
    EXPECT_EQ(ask(*first, "state"), before) << "the job's program was replaced";

    first->writeLine("job off");
    EXPECT_EQ(first->readLine(Patience), "applied " + programPath("two.nc"));
    EXPECT_EQ(first->readLine(Patience), "ok");
    EXPECT_EQ(ask(*first, "state"), sendState("two.nc", "G2 X2"));
}

TEST_F(SecondStart, AJobEndToldBeforeItsThreadFinishedStillAppliesTheFile) {
    auto first = startFirst();
    ASSERT_EQ(ask(*first, "job on"), "ok");
    EXPECT_EQ(startSecond({programPath("one.nc")}), 0);
    EXPECT_EQ(first->readLine(Patience), "held " + programPath("one.nc"));
    EXPECT_EQ(ask(*first, "job end told"), "ok");
    EXPECT_EQ(ask(*first, "job thread gone"), "ok");
    EXPECT_EQ(first->readLine(Patience), "applied " + programPath("one.nc"));
    EXPECT_EQ(ask(*first, "state"), sendState("one.nc", "G1 X1"));
}

TEST_F(SecondStart, MissingGermanQtTextsAreToldInTheLogOnce) {
    fs::create_directories(root / "no translations");
    // After the start file, whose loading empties the log.
    auto english =
        startFirst({"--translations", (root / "no translations").string(), programPath("one.nc")});
    EXPECT_EQ(ask(*english, "log"),
              "log CNC-Programm geladen.|Hinweis: Die deutschen Qt-Texte fehlen, Schaltflächen "
              "und Ordnerauswahl erscheinen englisch. Abhilfe: Paket qt6-translations-l10n "
              "installieren.");
    english->kill();
    auto german = startFirst({programPath("one.nc")});
    EXPECT_EQ(ask(*german, "log"), "log CNC-Programm geladen.");
}

TEST_F(SecondStart, AKilledInstanceDoesNotBlockTheNextStart) {
    auto killed = startFirst();
    killed->kill();
    // Neither its lock nor its socket file stands in the way.
    auto first = startFirst({programPath("one.nc")});
    EXPECT_EQ(ask(*first, "state"), sendState("one.nc", "G1 X1"));
    EXPECT_EQ(startSecond({programPath("two.nc")}), 0);
    EXPECT_EQ(first->readLine(Patience), "applied " + programPath("two.nc"));
}

TEST_F(SecondStart, FaultsOfTheRunningProgramReachTheBox) {
    const fs::path record = root / "box.txt";
    const auto faultWith = [&](const std::string& command) {
        fs::remove(record);
        ChildProcess program(PROBE_PROGRAM, {"--box-record-to", record.string()}, environment());
        EXPECT_EQ(program.readLine(Patience), "ready");
        program.writeLine(command);
        EXPECT_EQ(program.waitForExit(Patience), 0);
        std::ifstream in(record, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(faultWith("segv"), "Invalid memory access Zeile: 4242");
    EXPECT_EQ(faultWith("fatal8"), "AllocateMemory fehlgeschlagen!  Zeile: 4343");
}
