// drovane-dnc end to end: the real executable serving several machines on
// pseudo-terminals and VIRTUELL, each machine played by a scripted peer, and
// what the shop sees: files in the receive folders, bytes on the lines, the
// journal, the log and the status.

#include "cli_child.h"
#include "ser2net_server.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
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

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

// Polls the disk: the service writes on its own time.
bool waitUntil(const std::function<bool()>& done, milliseconds limit = milliseconds(10000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
}

constexpr int kMachines = 8;

// drovane.ini with the machines M1..M8 on pseudo-terminals (through links,
// so a machine can come back on a new one) and M9 on VIRTUELL; all of them
// served, with requests from one send folder.
class DncProcess : public ::testing::Test {
protected:
    void SetUp() override {
        // Short: a port name is cut at its length limit.
        static int count = 0;
        folder_ = fs::temp_directory_path() /
                  ("dnc" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "run");
        fs::create_directories(folder_ / "out");
        ::setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
        std::string settings = "Pattern = *.nc\r\n";
        std::string service = "Journal = " + journal().string() + "\r\n";
        for (int machine = 1; machine <= kMachines + 1; ++machine) {
            const std::string name = "M" + std::to_string(machine);
            std::string port = "VIRTUELL";
            if (machine <= kMachines) {
                peers_.push_back(std::make_unique<PtyPeer>());
                port = link(machine).string();
                fs::create_symlink(peers_.back()->slavePath(), port);
            }
            if (machine == kMachines && throughSer2net_) {
                ser2net_ = std::make_unique<Ser2netServer>(peers_.back()->slavePath());
                ASSERT_TRUE(ser2net_->running()) << ser2net_->log();
                port = ser2net_->rfc2217Name();
            }
            fs::create_directories(inbox(machine));
            settings += "[" + name + "]\r\nBaudrate = 115200\r\nCOM-Nummer = " + port +
                        "\r\nAnzahl_Hexzeichen_Vorlauf = 3\r\nAnzahl_Hexzeichen_Nachlauf = 2\r\n";
            service += "[" + name + "]\r\nEmpfangsordner = " + inbox(machine).string() +
                       "\r\nSendeordner = " + (folder_ / "out").string() +
                       "\r\nAnfrage_Verzoegerung = 0\r\nRuhezeit = 0\r\n";
        }
        put(folder_ / "drovane.ini", settings);
        put(folder_ / "drovane-dnc.ini", service);
    }
    void TearDown() override {
        dnc_.reset();
        ser2net_.reset();
        ::unsetenv("NOTIFY_SOCKET");
        ::unsetenv("WATCHDOG_USEC");
        fs::remove_all(folder_);
    }

    std::vector<std::string> words(const std::string& command) const {
        return {"--settings", (folder_ / "drovane.ini").string(), "--service",
                (folder_ / "drovane-dnc.ini").string(), command};
    }
    void startService() {
        dnc_ = std::make_unique<CliChild>(DROVANE_DNC_PATH, words("run"));
        // The virtual machine too: a status asked before its line is open
        // would find it still off.
        for (int machine = 1; machine <= kMachines + 1; ++machine) {
            ASSERT_TRUE(dnc_->waitForOutput("M" + std::to_string(machine) +
                                            ": serielle Schnittstelle ge\xC3\xB6"
                                            "ffnet"))
                << dnc_->out() << dnc_->err();
        }
    }
    std::string run(const std::string& command) const {
        CliChild child(DROVANE_DNC_PATH, words(command));
        child.wait();
        return child.out();
    }

    fs::path link(int machine) const { return folder_ / ("tty" + std::to_string(machine)); }
    fs::path inbox(int machine) const { return folder_ / ("in" + std::to_string(machine)); }
    fs::path journal() const { return folder_ / "journal.jsonl"; }
    PtyPeer& peer(int machine) { return *peers_.at(static_cast<std::size_t>(machine - 1)); }

    // Those of the machines on pseudo-terminals: the virtual one punches its
    // own program when its line opens.
    std::vector<nlohmann::json> journalEntries() const {
        std::vector<nlohmann::json> entries;
        std::istringstream lines(contentOf(journal()));
        for (std::string line; std::getline(lines, line);) {
            nlohmann::json entry = nlohmann::json::parse(line);
            if (entry["machine"] != "M" + std::to_string(kMachines + 1)) {
                entries.push_back(std::move(entry));
            }
        }
        return entries;
    }
    bool journalHolds(std::size_t count) const {
        return waitUntil([&] { return journalEntries().size() >= count; });
    }

    fs::path folder_;
    // The last machine's line through a device server.
    bool throughSer2net_ = false;
    std::unique_ptr<Ser2netServer> ser2net_;
    std::vector<std::unique_ptr<PtyPeer>> peers_;
    std::unique_ptr<CliChild> dnc_;
};

std::string program(int number, const std::string& body) {
    return "%\r\nO" + std::to_string(number) + "\r\n" + body + "\r\nM30\r\n%\r\n";
}

TEST_F(DncProcess, PunchesOfAllMachinesAreSavedByteForByteUnderTheirNumbers) {
    startService();
    for (int machine = 1; machine <= kMachines; ++machine) {
        peer(machine).write("\0\0"s + program(100 + machine, "G1 X" + std::to_string(machine)) +
                            "\x04");
    }
    for (int machine = 1; machine <= kMachines; ++machine) {
        const fs::path saved = inbox(machine) / ("O" + std::to_string(100 + machine) + ".nc");
        ASSERT_TRUE(waitUntil([&] { return fs::exists(saved); })) << dnc_->out();
        EXPECT_EQ(contentOf(saved), program(100 + machine, "G1 X" + std::to_string(machine)));
    }
    ASSERT_TRUE(journalHolds(kMachines));
    const fs::path virtualPunch = inbox(kMachines + 1) / "O1000.nc";
    ASSERT_TRUE(waitUntil([&] { return fs::exists(virtualPunch); }));
    EXPECT_NE(contentOf(virtualPunch).find("O1000"), std::string::npos);
    for (const nlohmann::json& entry : journalEntries()) {
        EXPECT_EQ(entry["kind"], "empfangen");
        EXPECT_EQ(entry["result"], "gespeichert");
        EXPECT_EQ(entry["bytes"], program(101, "G1 X1").size());
    }
}

TEST_F(DncProcess, ASecondPunchIsVersionedAndTheSameContentLeftAlone) {
    startService();
    peer(1).write(program(7, "G0") + "\x04");
    ASSERT_TRUE(journalHolds(1)) << dnc_->out();
    peer(1).write(program(7, "G1") + "\x04");
    ASSERT_TRUE(journalHolds(2)) << dnc_->out();
    peer(1).write(program(7, "G1") + "\x04");
    ASSERT_TRUE(journalHolds(3)) << dnc_->out();

    EXPECT_EQ(contentOf(inbox(1) / "O7.nc"), program(7, "G1"));
    const auto versions = filesIn(inbox(1) / "Versionen");
    ASSERT_EQ(versions.size(), 1U);
    EXPECT_EQ(contentOf(versions.front()), program(7, "G0"));
    EXPECT_EQ(journalEntries().back()["result"], "unver\xC3\xA4ndert");
}

TEST_F(DncProcess, ARequestIsAnsweredByteForByteAndAMissingNameToldAtTheControl) {
    const std::string wanted = "%\r\nO1234\r\nG0 X0\r\nM30\r\n%\r\n";
    put(folder_ / "out" / "O1234.nc", wanted);
    startService();
    peer(2).write("O9999\r\nN10 (PRG=1234)\r\n%\r\n\x04");
    const std::string expected = std::string(3, '\0') + wanted + std::string(2, '\0') + "\x04";
    ASSERT_TRUE(peer(2).waitForBytes(expected.size())) << dnc_->out();
    EXPECT_EQ(peer(2).received(), expected);

    // A request is never saved as a program.
    EXPECT_TRUE(filesIn(inbox(2)).empty());
}

class DncThroughSer2net : public DncProcess {
protected:
    void SetUp() override {
        throughSer2net_ = true;
        DncProcess::SetUp();
    }
};

TEST_F(DncThroughSer2net, APunchAndARequestTravelThroughTheDeviceServer) {
    const std::string wanted = "%\r\nO42\r\nG0 X0\r\nM30\r\n%\r\n";
    put(folder_ / "out" / "O42.nc", wanted);
    startService();
    peer(kMachines).write(program(41, "G1") + "\x04");
    ASSERT_TRUE(waitUntil([&] { return fs::exists(inbox(kMachines) / "O41.nc"); })) << dnc_->out();
    EXPECT_EQ(contentOf(inbox(kMachines) / "O41.nc"), program(41, "G1"));
    peer(kMachines).write("(PRG=42)\r\n\x04");
    const std::string expected = std::string(3, '\0') + wanted + std::string(2, '\0') + "\x04";
    ASSERT_TRUE(peer(kMachines).waitForBytes(expected.size())) << dnc_->out();
    EXPECT_EQ(peer(kMachines).received(), expected);
}

// What the operator reads at the control when no program is sent.
TEST_F(DncProcess, TheListAMissingNameAndANameLeavingTheFolderAreAnsweredAsComments) {
    put(folder_ / "out" / "O1234.nc", "%\r\nO1234\r\nM30\r\n%\r\n");
    put(folder_ / "drovane.ini.nc", "secret");
    startService();
    const std::array<std::pair<std::string, std::string>, 3> requests = {
        {{"DIRLIST", "O1234.nc"},
         {"4711", "(NICHT GEFUNDEN 4711)"},
         {"../drovane.ini", "(ABGELEHNT"}}};
    for (int machine = 1; machine <= 3; ++machine) {
        peer(machine).write("O9999\r\n(PRG=" + requests.at(machine - 1).first + ")\r\n\x04");
    }
    for (int machine = 1; machine <= 3; ++machine) {
        const std::string& expected = requests.at(machine - 1).second;
        EXPECT_TRUE(waitUntil([&] {
            return peer(machine).received().find(expected) != std::string::npos;
        })) << requests.at(machine - 1).first
            << ": " << ::testing::PrintToString(peer(machine).received());
        EXPECT_EQ(peer(machine).received().find("secret"), std::string::npos);
    }
}

// A reload restarts only the machine whose settings changed, and only once
// it is idle; the others keep their line.
TEST_F(DncProcess, AReloadRestartsTheChangedMachineOnly) {
    startService();
    const std::string opened = ": serielle Schnittstelle ge\xC3\xB6"
                               "ffnet";
    std::string service = contentOf(folder_ / "drovane-dnc.ini");
    const std::string quiet = "Ruhezeit = 0";
    const std::size_t second = service.find(quiet, service.find("[M2]"));
    service.replace(second, quiet.size(), "Ruhezeit = 5");
    put(folder_ / "drovane-dnc.ini", service);
    dnc_->signal(SIGHUP);
    ASSERT_TRUE(dnc_->waitForOutput("M2: Ge\xC3\xA4nderte Einstellungen, Maschine startet neu."))
        << dnc_->out();
    ASSERT_TRUE(waitUntil([&] {
        const std::string out = dnc_->out();
        const std::size_t restart = out.find("startet neu.");
        return out.find("M2" + opened, restart) != std::string::npos;
    })) << dnc_->out();
    const std::string out = dnc_->out();
    EXPECT_EQ(out.find("M1" + opened, out.find("M1" + opened) + 1), std::string::npos) << out;
    peer(2).write(program(58, "G3") + "\x04");
    ASSERT_TRUE(waitUntil([&] { return fs::exists(inbox(2) / "O58.nc"); })) << dnc_->out();
}

TEST_F(DncProcess, APtyClosedMidReceptionKeepsItsTextAsIncompleteAndTheOthersServed) {
    startService();
    peer(1).write("%\r\nO55\r\nG1 X1\r\n");
    ASSERT_TRUE(dnc_->waitForOutput("M1: ")) << dnc_->out();
    std::this_thread::sleep_for(milliseconds(200));
    peers_.at(0).reset();
    // The journal comes after the file: an atomic save shows its temporary
    // file in the folder meanwhile.
    ASSERT_TRUE(journalHolds(1)) << dnc_->out();
    ASSERT_EQ(filesIn(inbox(1) / "Unvollstaendig").size(), 1U);
    EXPECT_EQ(contentOf(filesIn(inbox(1) / "Unvollstaendig").front()), "%\r\nO55\r\nG1 X1\r\n");
    EXPECT_FALSE(fs::exists(inbox(1) / "O55.nc"));

    peer(2).write(program(56, "G2") + "\x04");
    ASSERT_TRUE(waitUntil([&] { return fs::exists(inbox(2) / "O56.nc"); })) << dnc_->out();

    // The machine comes back on a new line under its old name.
    peers_.at(0) = std::make_unique<PtyPeer>();
    fs::remove(link(1));
    fs::create_symlink(peer(1).slavePath(), link(1));
    ASSERT_TRUE(dnc_->waitForOutput("M1: Schnittstelle " + link(1).string() + " ist wieder da."))
        << dnc_->out();
}

TEST_F(DncProcess, StopMidReceptionSavesItAsIncompleteAndExitsZero) {
    startService();
    peer(3).write("%\r\nO77\r\nG1");
    ASSERT_TRUE(
        waitUntil([&] { return run("status").find("empf\xC3\xA4ngt") != std::string::npos; }));
    dnc_->signal(SIGTERM);
    EXPECT_EQ(dnc_->wait(), 0) << dnc_->out();
    const auto cut = filesIn(inbox(3) / "Unvollstaendig");
    ASSERT_EQ(cut.size(), 1U) << dnc_->out();
    EXPECT_EQ(contentOf(cut.front()), "%\r\nO77\r\nG1");
    ASSERT_TRUE(journalHolds(1));
    EXPECT_EQ(journalEntries().front()["kind"], "unvollstaendig");
    EXPECT_EQ(journalEntries().front()["result"], "abgebrochen");
}

TEST_F(DncProcess, StatusNamesEveryMachineAndJournalPrintsWhatWasMoved) {
    startService();
    const std::string status = run("status");
    for (int machine = 1; machine <= kMachines + 1; ++machine) {
        EXPECT_NE(status.find("M" + std::to_string(machine) + "\twartet\t"), std::string::npos)
            << status;
    }
    peer(1).write(program(9, "G0") + "\x04");
    ASSERT_TRUE(journalHolds(1));
    EXPECT_NE(run("journal").find("O9.nc"), std::string::npos);
}

TEST_F(DncProcess, ASecondServiceLeavesOutTheMachinesTheFirstServes) {
    startService();
    fs::create_directories(folder_ / "run2");
    ::setenv("XDG_RUNTIME_DIR", (folder_ / "run2").c_str(), 1);
    CliChild second(DROVANE_DNC_PATH, words("run"));
    ASSERT_TRUE(second.waitForOutput("M1: Die Schnittstelle " + link(1).string() +
                                     " wird von einem anderen Programm benutzt"))
        << second.out();
    second.signal(SIGTERM);
    EXPECT_EQ(second.wait(), 0);
    peer(1).write(program(60, "G0") + "\x04");
    ASSERT_TRUE(waitUntil([&] { return fs::exists(inbox(1) / "O60.nc"); })) << dnc_->out();
}

// systemd's side of Type=notify with a watchdog: a datagram socket.
TEST_F(DncProcess, TheSupervisorHearsReadyAndThenTheWatchdog) {
    const fs::path socketPath = folder_ / "notify";
    const UniqueFd socket(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)),
              0);
    ::setenv("NOTIFY_SOCKET", socketPath.c_str(), 1);
    ::setenv("WATCHDOG_USEC", "200000", 1);
    startService();
    std::string heard;
    std::array<char, 256> datagram{};
    while (heard.find("WATCHDOG=1") == std::string::npos) {
        pollfd waiting{socket.get(), POLLIN, 0};
        ASSERT_EQ(::poll(&waiting, 1, 10000), 1) << heard;
        const ssize_t got = ::recv(socket.get(), datagram.data(), datagram.size(), 0);
        heard.append(datagram.data(), static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        heard += '\n';
    }
    EXPECT_LT(heard.find("READY=1"), heard.find("WATCHDOG=1")) << heard;
}

TEST_F(DncProcess, StatusWithoutAServiceSaysSoAndFails) {
    CliChild child(DROVANE_DNC_PATH, words("status"));
    EXPECT_EQ(child.wait(), 1);
    EXPECT_NE(child.err().find("Kein laufender Dienst"), std::string::npos);
}

} // namespace
} // namespace drovane::testing
