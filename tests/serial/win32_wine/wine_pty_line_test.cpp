// The Windows line under Wine, seen from the far end: Wine opens "COM7" as
// the slave of a pseudo-terminal whose master this test holds. Needs
// WINEPREFIX and the Windows build; scripts/windows-test runs it.

#include "slave_line_settings.h"
#include "wine_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace drovane {
namespace {

using std::chrono::milliseconds;
namespace fs = std::filesystem;

// Wine starts slowly on a loaded machine; every wait here is for something
// that does happen.
constexpr milliseconds kProbeStep{60000};
constexpr unsigned char kXon = 0x11;
constexpr unsigned char kXoff = 0x13;

fs::path dosDevice(const std::string& name) {
    const char* prefix = std::getenv("WINEPREFIX");
    return fs::path(prefix != nullptr ? prefix : "") / "dosdevices" / name;
}

// One wineserver for all probes, started here so that it holds none of the
// test's pipes and its messages stay out of the test's output; ended at the
// end, with the Wine processes it keeps, so that nothing of it outlives the
// check.
class PersistentWineserver : public testing::Environment {
public:
    void SetUp() override {
        // Fails harmlessly when one runs already.
        [[maybe_unused]] const int started =
            std::system("wineserver -p </dev/null >/dev/null 2>&1");
    }
    void TearDown() override {
        [[maybe_unused]] const int ended = std::system("wineserver -k </dev/null >/dev/null 2>&1");
    }
};

const auto* const kWineserver = testing::AddGlobalTestEnvironment(new PersistentWineserver);

class WinePty : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("WINEPREFIX"), nullptr) << "run through scripts/windows-test";
        ASSERT_TRUE(fs::exists(probeExecutable())) << probeExecutable();
        int master = -1;
        int slave = -1;
        ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        master_ = master;
        slave_ = slave; // kept open: the settings Wine makes stay readable
        ::fcntl(master_, F_SETFD, FD_CLOEXEC);
        ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        // A fresh Linux tty has IXON on, which Wine would take for the
        // port's XON/XOFF setting; a Windows port starts without it.
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
        fs::remove(dosDevice("com7"));
        fs::create_symlink(::ttyname(slave_), dosDevice("com7"));
    }

    void TearDown() override {
        fs::remove(dosDevice("com7"));
        ::close(master_);
        ::close(slave_);
    }

    // Up to `count` bytes; stops early after `quiet` without one.
    std::string readMaster(std::size_t count, milliseconds quiet = kProbeStep) const {
        std::string got;
        std::array<char, 4096> chunk{};
        while (got.size() < count) {
            pollfd entry{master_, POLLIN, 0};
            if (::poll(&entry, 1, static_cast<int>(quiet.count())) <= 0) {
                break;
            }
            const ssize_t n =
                ::read(master_, chunk.data(), std::min(chunk.size(), count - got.size()));
            if (n <= 0) {
                break;
            }
            got.append(chunk.data(), static_cast<std::size_t>(n));
        }
        return got;
    }

    void writeMaster(const std::string& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else {
                std::this_thread::sleep_for(milliseconds(1));
            }
        }
    }

    void writeMaster(unsigned char byte) const {
        writeMaster(std::string(1, static_cast<char>(byte)));
    }

    int master_ = -1;
    int slave_ = -1;
};

std::string hex(const std::string& bytes) {
    static constexpr std::string_view kDigits = "0123456789abcdef";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string countingBytes(std::size_t count, unsigned step) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<char>((i * step) & 0xFF));
    }
    return bytes;
}

struct FormatCase {
    std::string baud;
    std::string dataBits;
    std::string parity;
    std::string stopBits;
    SlaveLineSettings expected;
};

// Every byte value both ways, and the rate and stop bits the slave was set
// to. (Wine 8 sets a rate outside the standard list as 38400 with a custom
// divisor, which a pty cannot take, so only standard rates are shown.)
TEST_F(WinePty, BytesGoBothWaysExactlyAtEachRateAndFrame) {
    const std::vector<FormatCase> cases = {
        {"9600", "8", "0", "1", {9600, false, false, false}},
        {"115200", "7", "2", "2", {115200, true, false, false}},
        // Wine sets one and a half as two.
        {"19200", "8", "1", "1.5", {19200, true, false, false}},
        {"57600", "8", "3", "1", {57600, false, false, false}},
        {"1200", "7", "4", "1", {1200, false, false, false}},
    };
    const std::string all = countingBytes(256, 1);
    std::string reversed = all;
    std::reverse(reversed.begin(), reversed.end());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud + " " + c.dataBits + " " + c.parity + " " + c.stopBits);
        WineProbe probe({"COM7", c.baud, c.dataBits, c.parity, c.stopBits, "0", "exchange", "256"});
        ASSERT_TRUE(probe.started());
        ASSERT_EQ(probe.readLine(kProbeStep), "open");
        ASSERT_EQ(probe.readLine(kProbeStep), "left 0");
        EXPECT_EQ(hex(readMaster(256)), hex(all));
        const auto seen = slaveLineSettings(slave_);
        ASSERT_TRUE(seen.has_value());
        EXPECT_EQ(seen->baudRate, c.expected.baudRate);
        EXPECT_EQ(seen->twoStopBits, c.expected.twoStopBits);
        EXPECT_FALSE(seen->outputFlow);
        writeMaster(reversed);
        EXPECT_EQ(probe.readLine(kProbeStep), "got " + hex(reversed));
        EXPECT_EQ(probe.readLine(kProbeStep), "closed");
        EXPECT_EQ(probe.finish(kProbeStep), 0);
    }
}

// Bytes that have left the port but that the far end has not read yet are
// not the port's to throw away at close.
TEST_F(WinePty, CloseKeepsWhatTheFarEndHasNotReadYet) {
    WineProbe probe({"COM7", "115200", "8", "0", "1", "0", "send", "1000"});
    ASSERT_TRUE(probe.started());
    ASSERT_EQ(probe.readLine(kProbeStep), "open");
    EXPECT_EQ(probe.readLine(kProbeStep), "left 0");
    EXPECT_EQ(probe.readLine(kProbeStep), "closed");
    EXPECT_EQ(probe.finish(kProbeStep), 0);
    EXPECT_EQ(hex(readMaster(1000)), hex(countingBytes(1000, 1)));
}

// Wine hands XON/XOFF to the kernel (IXON), which stops the slave's output;
// the line reports the held writes as XoffReceived and loses nothing.
TEST_F(WinePty, XoffHoldsTheOutputAndNothingIsLost) {
    constexpr std::size_t kCount = 3000;
    WineProbe probe({"COM7", "115200", "8", "0", "1", "3", "hold", std::to_string(kCount)});
    ASSERT_TRUE(probe.started());
    ASSERT_EQ(probe.readLine(kProbeStep), "open");
    const auto seen = slaveLineSettings(slave_);
    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(seen->outputFlow);
    EXPECT_TRUE(seen->inputFlow);
    writeMaster(kXoff);
    std::this_thread::sleep_for(milliseconds(200));
    probe.sendLine("go");
    EXPECT_EQ(readMaster(1, milliseconds(1500)), "") << "sent while held";
    writeMaster(kXon);
    std::string got = readMaster(kCount / 2);
    writeMaster(kXoff);
    // What was on its way when the XOFF came still arrives, then nothing.
    got += readMaster(kCount - got.size(), milliseconds(500));
    const std::size_t beforeRelease = got.size();
    writeMaster(kXon);
    got += readMaster(kCount - got.size());
    EXPECT_LT(beforeRelease, kCount) << "the second hold came too late to hold anything";
    EXPECT_EQ(hex(got), hex(countingBytes(kCount, 7)));
    const auto report = probe.readLine(kProbeStep);
    ASSERT_TRUE(report.has_value());
    unsigned held = 0;
    unsigned flags = 0;
    unsigned failures = 0;
    unsigned left = 0;
    ASSERT_EQ(std::sscanf(report->c_str(), "sent %*u held %u flags %u failures %u left %u", &held,
                          &flags, &failures, &left),
              4)
        << *report;
    EXPECT_GE(held, 2U);
    EXPECT_EQ(flags, 0x0400U) << "only XoffReceived";
    EXPECT_EQ(failures, 0U);
    EXPECT_EQ(left, 0U);
    EXPECT_EQ(probe.readLine(kProbeStep), "closed");
    EXPECT_EQ(probe.finish(kProbeStep), 0);
}

// A write without a timeout held by XOFF ends at the abort, and the close
// after it does not wait for the held byte.
TEST_F(WinePty, AnAbortEndsAHeldWriteAndTheCloseDoesNotHang) {
    WineProbe probe({"COM7", "9600", "8", "0", "1", "3", "abort"});
    ASSERT_TRUE(probe.started());
    ASSERT_EQ(probe.readLine(kProbeStep), "open");
    writeMaster(kXoff);
    std::this_thread::sleep_for(milliseconds(200));
    probe.sendLine("go");
    const auto report = probe.readLine(kProbeStep);
    ASSERT_TRUE(report.has_value());
    int wrote = -1;
    int took = -1;
    ASSERT_EQ(std::sscanf(report->c_str(), "wrote %d after %d", &wrote, &took), 2) << *report;
    EXPECT_EQ(wrote, 0);
    EXPECT_GE(took, 250) << "ended before the abort";
    EXPECT_EQ(probe.readLine(kProbeStep), "closed");
    EXPECT_EQ(probe.finish(kProbeStep), 0);
    EXPECT_EQ(readMaster(1, milliseconds(200)), "");
}

TEST_F(WinePty, APortWithoutDeviceFailsToOpenAsMissing) {
    fs::remove(dosDevice("com9"));
    WineProbe probe({"COM9", "9600", "8", "0", "1", "0", "exchange", "1"});
    ASSERT_TRUE(probe.started());
    EXPECT_EQ(probe.readLine(kProbeStep), "open-failed NoSuchPort");
    EXPECT_EQ(probe.finish(kProbeStep), 2);
}

// Wine, unlike Windows, lets a second handle open a port that is open, so
// only the line's own guard can be seen here.
TEST_F(WinePty, ASecondOpenOnTheSameLineFailsAsInUse) {
    WineProbe probe({"COM7", "9600", "8", "0", "1", "0", "twice"});
    ASSERT_TRUE(probe.started());
    ASSERT_EQ(probe.readLine(kProbeStep), "open");
    EXPECT_EQ(probe.readLine(kProbeStep), "second InUse 0");
    EXPECT_EQ(probe.readLine(kProbeStep), "closed");
    EXPECT_EQ(probe.finish(kProbeStep), 0);
}

} // namespace
} // namespace drovane
