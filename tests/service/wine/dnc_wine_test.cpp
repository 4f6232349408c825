// drovane-dnc.exe under Wine, its two files beside it, serving a machine on
// "COM7", which Wine maps to a pseudo-terminal whose master the test holds: a
// punch saved, a request answered byte for byte, the status through the
// named pipe, and Ctrl+C (SIGINT, which Wine hands on as one) ending it.

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

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;

WineSetup setup;

constexpr milliseconds kWineLimit(120'000);
constexpr int kMachinePort = 7;

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

TEST(WineDnc, APunchIsSavedAndARequestAnsweredThroughCom7) {
    const fs::path folder = fs::temp_directory_path() / ("dnc_wine_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "in");
    fs::create_directories(folder / "out");
    fs::copy_file(setup.executable, folder / "drovane-dnc.exe");
    PtyPeer peer;
    const ComPortLink port(setup.prefix, kMachinePort, peer.slavePath());
    ASSERT_TRUE(port.made());
    put(folder / "drovane.ini", "Pattern = *.nc\r\n[M1]\r\nBaudrate = 115200\r\nCOM-Nummer = "
                                "COM7\r\nAnzahl_Hexzeichen_Vorlauf = 3\r\n");
    put(folder / "drovane-dnc.ini", "[M1]\r\nEmpfangsordner = " + windowsPath(folder / "in") +
                                        "\r\nSendeordner = " + windowsPath(folder / "out") +
                                        "\r\nAnfrage_Verzoegerung = 0\r\nRuhezeit = 0\r\n");
    const std::string wanted = "%\r\nO1234\r\nM30\r\n%\r\n";
    put(folder / "out" / "O1234.nc", wanted);
    const std::string exe = windowsPath(folder / "drovane-dnc.exe");

    Exe dnc({exe, "run"});
    ASSERT_TRUE(dnc.waitForOutput("M1: serielle Schnittstelle ge\xC3\xB6"
                                  "ffnet",
                                  kWineLimit))
        << dnc.out();
    const std::string punch = "%\r\nO55\r\nG1 X1\r\nM30\r\n%\r\n";
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
    fs::remove_all(folder);
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
