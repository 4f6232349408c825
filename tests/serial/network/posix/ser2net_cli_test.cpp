// drovane-cli and the network line end to end through ser2net: a scripted
// machine on the master side of a pseudo-terminal, ser2net on its slave,
// the program on rfc2217:// or socket://.

#include "../../../cli/posix/cli_child.h"
#include "ser2net_server.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class Cli : public CliChild {
public:
    explicit Cli(const std::vector<std::string>& arguments)
        : CliChild(DROVANE_CLI_PATH, arguments) {}
};

// A program text of `size` bytes with 0xFF, CR and every other byte but NUL
// and the "%" that the preparation for sending takes out.
std::string programOf(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i) {
        const auto byte = static_cast<char>(i % 255 + 1);
        if (byte != '%') {
            text.push_back(byte);
        }
    }
    return text;
}

speed_t slaveSpeed(const std::string& slavePath) {
    const int fd = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios values{};
    const bool read = fd >= 0 && ::tcgetattr(fd, &values) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return read ? ::cfgetospeed(&values) : B0;
}

class Ser2netCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("netcli_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        server_ = std::make_unique<Ser2netServer>(peer_.slavePath());
        ASSERT_TRUE(server_->running())
            << "ser2net did not start (scripts/install-deps installs it): " << server_->log();
    }
    void TearDown() override {
        server_.reset();
        fs::remove_all(folder_);
    }

    void writeSettings(const std::string& port, const std::string& baud,
                       const std::string& extra = {}) const {
        put(folder_ / "drovane.ini",
            "Maschine = Dreh1\r\n[Dreh1]\r\nBaudrate = " + baud + "\r\nCOM-Nummer = " + port +
                "\r\nDatenbits = 8\r\nParit\xE4t = NOPARITY\r\nStopbits = 1\r\n"
                "Steuerzeichen_Senden = Ja\r\nEinlesenBeenden_Empfangen = 04\r\n" +
                extra);
    }

    std::vector<std::string> transfer(const std::string& command, const fs::path& file,
                                      const std::string& port = {}) const {
        std::vector<std::string> words{command, "--settings", (folder_ / "drovane.ini").string()};
        if (!port.empty()) {
            words.insert(words.end(), {"--port", port});
        }
        words.push_back(file.string());
        return words;
    }

    PtyPeer peer_;
    std::unique_ptr<Ser2netServer> server_;
    fs::path folder_;
};

TEST_F(Ser2netCli, SendArrivesByteForByteOnBothKindsOfPort) {
    const std::string text = programOf(3000);
    put(folder_ / "P1.nc", text);
    const std::string leaderAndTrailer =
        "Anzahl_Hexzeichen_Vorlauf = 20\r\nAnzahl_Hexzeichen_Nachlauf = 30\r\n";
    const std::string expected =
        std::string(20, '\0') + text + std::string(30, '\0') + std::string(1, '\x04');
    std::size_t before = 0;
    // The profile names the one port, --port the other.
    writeSettings(server_->rfc2217Name(), "115200", leaderAndTrailer);
    for (const std::string& port : {std::string(), server_->socketName()}) {
        ASSERT_TRUE(server_->waitUntilIdle());
        Cli cli(transfer("send", folder_ / "P1.nc", port));
        EXPECT_EQ(cli.wait(), 0) << port << "\n" << cli.out() << cli.err();
        ASSERT_TRUE(peer_.waitForBytes(before + expected.size()))
            << port << " " << peer_.received().size() - before << "\n"
            << cli.out();
        EXPECT_TRUE(peer_.received().substr(before) == expected) << port;
        before += expected.size();
    }
}

// Read while the port is open: ser2net puts the old settings back when the
// connection ends.
TEST_F(Ser2netCli, TheProfilesBaudRateReachesThePort) {
    for (const auto& [baud, speed] : {std::pair{"57600", B57600}, std::pair{"1200", B1200}}) {
        writeSettings(server_->rfc2217Name(), baud);
        ASSERT_TRUE(server_->waitUntilIdle());
        Cli cli(transfer("receive", folder_ / (std::string(baud) + ".nc")));
        ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
        EXPECT_EQ(slaveSpeed(peer_.slavePath()), speed) << baud;
        peer_.write("G0\r\n\x04");
        EXPECT_EQ(cli.wait(), 0) << cli.out();
    }
}

TEST_F(Ser2netCli, ReceptionIsSavedByteForByteOnBothKindsOfPort) {
    // Every byte but NUL (the leader) and the end character, 0xFF included.
    std::string program;
    for (int b = 1; b < 256; ++b) {
        if (b != 4) {
            program.push_back(static_cast<char>(b));
        }
    }
    program += "\r\nM30\r\n";
    for (const std::string& port : {server_->rfc2217Name(), server_->socketName()}) {
        writeSettings(port, "115200");
        const fs::path target = folder_ / (port.substr(0, 6) + ".nc");
        ASSERT_TRUE(server_->waitUntilIdle());
        Cli cli(transfer("receive", target));
        ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
        peer_.write(std::string(5, '\0') + program + "\x04");
        EXPECT_EQ(cli.wait(), 0) << port << "\n" << cli.out() << cli.err();
        EXPECT_TRUE(contentOf(target) == program) << port;
    }
}

// Our own layer honours XON/XOFF on a raw socket, as on a local port: the
// flow stops, the log says so, and nothing is lost.
TEST_F(Ser2netCli, AnXoffFromTheMachineHoldsTheSendWithNothingLost) {
    const std::string text = programOf(8000);
    put(folder_ / "P1.nc", text);
    writeSettings(server_->socketName(), "19200", "Protokoll = XON/XOFF\r\n");
    Cli cli(transfer("send", folder_ / "P1.nc"));
    ASSERT_TRUE(peer_.waitForBytes(1000)) << peer_.received().size() << "\n" << cli.out();
    peer_.write("\x13");
    ASSERT_TRUE(cli.waitForOutput("XOFF erhalten")) << cli.out();
    // What was on the way has landed by now; from here on nothing moves.
    std::this_thread::sleep_for(milliseconds(500));
    const std::size_t held = peer_.received().size();
    std::this_thread::sleep_for(milliseconds(1000));
    EXPECT_EQ(peer_.received().size(), held);
    EXPECT_LT(held, text.size());
    peer_.write("\x11");
    EXPECT_EQ(cli.wait(), 0) << cli.out();
    ASSERT_TRUE(peer_.waitForBytes(text.size() + 1));
    EXPECT_TRUE(peer_.received() == text + "\x04");
    EXPECT_NE(cli.out().find("XON erhalten"), std::string::npos) << cli.out();
}

// An abort stops the flow to the machine, not only our writes: little is on
// the way (the pace), and what the server still holds it throws away.
TEST_F(Ser2netCli, AnAbortStopsTheFlowToTheMachineSoon) {
    const std::string text = programOf(20000);
    put(folder_ / "P1.nc", text);
    writeSettings(server_->rfc2217Name(), "9600");
    Cli cli(transfer("send", folder_ / "P1.nc"));
    ASSERT_TRUE(peer_.waitForBytes(500));
    cli.signal(SIGINT);
    EXPECT_EQ(cli.wait(), 3) << cli.out();
    std::this_thread::sleep_for(milliseconds(500));
    const std::size_t stopped = peer_.received().size();
    std::this_thread::sleep_for(milliseconds(1000));
    EXPECT_EQ(peer_.received().size(), stopped);
    EXPECT_LT(stopped, text.size() / 2);
}

TEST_F(Ser2netCli, AServerKilledMidSendIsAnIoErrorNotAHang) {
    put(folder_ / "P1.nc", programOf(20000));
    for (const std::string& port : {server_->rfc2217Name()}) {
        writeSettings(port, "9600");
        Cli cli(transfer("send", folder_ / "P1.nc"));
        ASSERT_TRUE(peer_.waitForBytes(500));
        server_->kill();
        const int code = cli.wait(milliseconds(20000));
        EXPECT_NE(code, 0);
        EXPECT_NE(code, -1) << "hangs";
        EXPECT_NE(cli.out().find("#PB_SerialPort_IOE"), std::string::npos) << cli.out();
        EXPECT_EQ(cli.out().find("Bytes gesendet"), std::string::npos) << cli.out();
    }
}

TEST_F(Ser2netCli, AServerKilledMidReceptionIsAnIoErrorNotAHang) {
    writeSettings(server_->socketName(), "115200");
    const fs::path target = folder_ / "O1.nc";
    Cli cli(transfer("receive", target));
    ASSERT_TRUE(cli.waitForOutput("serielle Schnittstelle")) << cli.err();
    peer_.write("%\r\nO0001\r\nG0 X1\r\n");
    ASSERT_TRUE(cli.waitForOutput("Bytes")) << cli.out();
    server_->kill();
    const int code = cli.wait(milliseconds(20000));
    EXPECT_NE(code, 0);
    EXPECT_NE(code, -1) << "hangs";
    EXPECT_NE(cli.out().find("#PB_SerialPort_IOE"), std::string::npos) << cli.out();
}

TEST_F(Ser2netCli, APortThatCannotBeReachedIsToldWhy) {
    put(folder_ / "P1.nc", "G0\n");
    struct Case {
        std::string port;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"rfc2217://drovane-no-such-host.invalid:4000", "Ursache: der Rechnername ist unbekannt."},
        {"socket://127.0.0.1:" + std::to_string(freeLocalPort()),
         "Ursache: der Server lehnt die Verbindung ab."},
        {"rfc2217://127.0.0.1", "Ursache: der Netzwerk-Port ist kein g\xC3\xBCltiges"},
        // A raw accepter speaks no Telnet: the option is never agreed.
        {server_->socketName().replace(0, 6, "rfc2217"),
         "Ursache: der Server bietet keine Steuerung der Schnittstelle"},
    };
    for (const Case& c : cases) {
        writeSettings(c.port, "9600");
        ASSERT_TRUE(server_->waitUntilIdle());
        Cli cli(transfer("send", folder_ / "P1.nc"));
        EXPECT_EQ(cli.wait(), 2) << c.port;
        EXPECT_NE(cli.out().find(c.reason), std::string::npos) << c.port << "\n" << cli.out();
    }
}

} // namespace
} // namespace drovane::testing
