// drovane-dnc.exe under Wine, its two files beside it, serving a machine on
// "COM7", which Wine maps to a pseudo-terminal whose master the test holds: a
// punch saved, a request answered byte for byte, the status through the
// named pipe, and Ctrl+C (SIGINT, which Wine hands on as one) ending it; and
// the same .exe as a service of Wine's service manager.

#include "cli_child.h"
#include "wine_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;

WineSetup setup;

constexpr milliseconds kWineLimit(120'000);
constexpr int kMachinePort = 7;
const std::string kServiceName = "DrovaneDNC";

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class Exe : public CliChild {
public:
    explicit Exe(const std::vector<std::string>& line) : CliChild(setup.wine, line) {}
};

// A folder with the .exe and its two files, serving M1 on COM7.
class WineDnc : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(port.made());
        fs::create_directories(folder / "in");
        fs::create_directories(folder / "out");
        fs::copy_file(setup.executable, folder / "drovane-dnc.exe");
        put(folder / "drovane.ini", "Pattern = *.nc\r\n[M1]\r\nBaudrate = 115200\r\nCOM-Nummer = "
                                    "COM7\r\nAnzahl_Hexzeichen_Vorlauf = 3\r\n");
        put(folder / "drovane-dnc.ini", "[M1]\r\nEmpfangsordner = " + windowsPath(folder / "in") +
                                            "\r\nSendeordner = " + windowsPath(folder / "out") +
                                            "\r\nAnfrage_Verzoegerung = 0\r\nRuhezeit = 0\r\n");
        put(folder / "out" / "O1234.nc", wanted);
    }
    void TearDown() override { fs::remove_all(folder); }

    const fs::path folder = freshFolder();
    const std::string exe = windowsPath(folder / "drovane-dnc.exe");
    const std::string wanted = "%\r\nO1234\r\nM30\r\n%\r\n";
    const std::string punch = "%\r\nO55\r\nG1 X1\r\nM30\r\n%\r\n";
    PtyPeer peer;
    const ComPortLink port{setup.prefix, kMachinePort, peer.slavePath()};

private:
    static fs::path freshFolder() {
        const fs::path folder =
            fs::temp_directory_path() / ("dnc_wine_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        return folder;
    }
};

TEST_F(WineDnc, APunchIsSavedAndARequestAnsweredThroughCom7) {
    Exe dnc({exe, "run"});
    ASSERT_TRUE(dnc.waitForOutput("M1: serielle Schnittstelle ge\xC3\xB6"
                                  "ffnet",
                                  kWineLimit))
        << dnc.out();
    peer.write(punch + "\x04");
    ASSERT_TRUE(dnc.waitForOutput("O55.nc.")) << dnc.out();
    EXPECT_EQ(contentOf(folder / "in" / "O55.nc"), punch);

    peer.write("O9999\r\n(PRG=1234)\r\n\x04");
    const std::string expected = std::string(3, '\0') + wanted + "\x04";
    ASSERT_TRUE(peer.waitForBytes(expected.size())) << dnc.out();
    EXPECT_EQ(peer.received(), expected);

    Exe status({exe, "status"});
    EXPECT_EQ(status.wait(kWineLimit), 0);
    EXPECT_TRUE(status.out().starts_with("M1\twartet\t")) << status.out();

    dnc.signal(SIGINT);
    EXPECT_EQ(dnc.wait(kWineLimit), 0) << dnc.out();
}

bool eventually(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + kWineLimit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(200));
    }
    return true;
}

// Wine's service manager lives as long as its server, which would end with
// the last program and take the service along: held here for the test.
class WineServer {
public:
    WineServer() = default;
    ~WineServer() {
        stop();
        server_.wait(kWineLimit);
    }
    WineServer(const WineServer&) = delete;
    WineServer& operator=(const WineServer&) = delete;
    WineServer(WineServer&&) = delete;
    WineServer& operator=(WineServer&&) = delete;

private:
    // A server left by an earlier test would not be held.
    static bool stop() { return CliChild(setup.wine + "server", {"-k"}).wait(kWineLimit) >= 0; }
    bool earlierStopped_ = stop();
    CliChild server_{setup.wine + "server", {"-f", "-p"}};
};

bool statusShows(const std::string& exe, const std::string& text) {
    Exe status({exe, "status"});
    return status.wait(kWineLimit) == 0 && status.out().find(text) != std::string::npos;
}

// The Service Control Manager's way: entered, started by net start, a punch
// saved, a reception cut short by net stop kept as SIGTERM keeps it, taken
// out again.
TEST_F(WineDnc, TheInstalledServiceServesCom7AndStopsLikeSigterm) {
    const WineServer server;
    // Taken out even when a check fails, so that the next run can enter it.
    const std::unique_ptr<const std::string, void (*)(const std::string*)> entered(
        &exe, [](const std::string* program) {
            Exe({*program, "uninstall"}).wait(kWineLimit);
        });
    const std::string key = "HKLM\\System\\CurrentControlSet\\Services\\DrovaneDNC";
    Exe install({exe, "install"});
    ASSERT_EQ(install.wait(kWineLimit), 0) << install.err();
    Exe entry({"reg", "query", key});
    ASSERT_EQ(entry.wait(kWineLimit), 0);
    EXPECT_NE(entry.out().find("REG_SZ    \"" + exe + "\" service"), std::string::npos)
        << entry.out();
    EXPECT_NE(entry.out().find("Start    REG_DWORD    0x2"), std::string::npos) << entry.out();

    Exe start({"net", "start", kServiceName});
    ASSERT_EQ(start.wait(kWineLimit), 0) << start.out();
    // The port opens on the machine's thread, after the manager heard
    // "running"; the status says when it is.
    ASSERT_TRUE(eventually([&] { return statusShows(exe, "M1\twartet\t"); }));
    peer.write(punch + "\x04");
    ASSERT_TRUE(eventually([&] { return contentOf(folder / "in" / "O55.nc") == punch; }));

    peer.write("%\r\nO66\r\nG1");
    EXPECT_TRUE(eventually([&] { return statusShows(exe, "M1\tempf\xC3\xA4ngt\t"); }));
    Exe stop({"net", "stop", kServiceName});
    EXPECT_EQ(stop.wait(kWineLimit), 0) << stop.out();
    // Wine's "net stop" may return before the service has written what it
    // kept, and a kept file's name is claimed empty before its bytes go in.
    const fs::path cutShort = folder / "in" / "Unvollstaendig";
    EXPECT_TRUE(eventually([&] {
        std::error_code error;
        const fs::directory_iterator kept(cutShort, error);
        return !error && kept != fs::directory_iterator() &&
               contentOf(kept->path()) == "%\r\nO66\r\nG1";
    }));
    EXPECT_FALSE(fs::exists(folder / "in" / "O66.nc"));

    Exe uninstall({exe, "uninstall"});
    EXPECT_EQ(uninstall.wait(kWineLimit), 0) << uninstall.err();
    Exe gone({"reg", "query", key});
    EXPECT_NE(gone.wait(kWineLimit), 0);
    Exe again({exe, "uninstall"});
    EXPECT_EQ(again.wait(kWineLimit), 1);
    EXPECT_NE(again.err().find("nicht eingetragen"), std::string::npos) << again.err();
}

} // namespace
} // namespace drovane::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!drovane::testing::takeWineSetup({argv + 1, argv + argc}, drovane::testing::setup)) {
        std::cerr << "Aufruf: dnc_wine_tests --prefix=WINEPREFIX --exe=drovane-dnc.exe "
                     "[--wine=wine] [gtest-Optionen]\n";
        return 2;
    }
    ::setenv("WINEPREFIX", drovane::testing::setup.prefix.c_str(), 1);
    ::setenv("WINEDEBUG", "-all", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    return RUN_ALL_TESTS();
}
