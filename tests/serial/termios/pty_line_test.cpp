// The termios back end on pseudo-terminals: the test holds the master side,
// the line opens the slave by its path.

#include "core/unique_fd.h"
#include "serial/abort_request.h"
#include "serial/termios/terminal_device.h"
#include "serial/termios/termios_serial_line.h"
#include "termios/pty_back_end.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using namespace std::string_literals;

std::string allByteValues() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::string letters(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<char>('A' + i % 26));
    }
    return bytes;
}

class PtyLine : public testing::Test {
protected:
    SerialSettings settings(Handshake handshake = Handshake::NoHandshake) const {
        return pty_.settings(handshake);
    }
    int openLine(Handshake handshake = Handshake::NoHandshake) {
        const int id = line_.open(settings(handshake));
        EXPECT_NE(id, 0);
        return id;
    }
    // Up to `count` bytes; stops early after `quiet` without a byte.
    std::string readMaster(std::size_t count, milliseconds quiet = milliseconds(2000)) const {
        return pty_.receive(count, quiet);
    }
    void writeMaster(std::string_view bytes) const { pty_.send(bytes); }

    PtyBackEnd pty_;
    TermiosSerialLine& line_ = pty_.termiosLine();
    const std::string& path_ = pty_.path();
};

TEST_F(PtyLine, ClosingRightAfterAWriteLosesNothingThePeerHasNotReadYet) {
    std::string bytes;
    for (int round = 0; round < 8; ++round) {
        bytes += allByteValues();
    }
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int id = openLine();
        ASSERT_EQ(line_.write(id, bytes.data(), static_cast<int>(bytes.size())),
                  static_cast<int>(bytes.size()));
        line_.close(id);
        ASSERT_EQ(readMaster(bytes.size()), bytes) << "attempt " << attempt;
    }
}

TEST_F(PtyLine, TheNextOpenLosesNothingOfTheTransferBefore) {
    // Sent and closed, then opened again before the peer has read: the
    // kernel may still hold the bytes on their way to the master.
    const std::string bytes = "\0\0\0N1\r\nM30\r\n\0\0\x04"s;
    std::string sent;
    for (int transfer = 0; transfer < 100; ++transfer) {
        const int id = openLine();
        ASSERT_EQ(line_.write(id, bytes.data(), static_cast<int>(bytes.size())),
                  static_cast<int>(bytes.size()));
        line_.close(id);
        sent += bytes;
    }
    const std::string got = readMaster(sent.size());
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent) << "every transfer whole and in order";
}

TEST_F(PtyLine, OpensExclusively) {
    const int id = openLine();
    TermiosSerialLine other;
    EXPECT_EQ(other.open(settings()), 0);
    EXPECT_EQ(other.lastOpenFailure(), OpenFailure::InUse);
    EXPECT_EQ(line_.open(settings()), 0); // one port at a time per line
    EXPECT_EQ(line_.lastOpenFailure(), OpenFailure::InUse);
    line_.close(id);
    const int again = other.open(settings());
    EXPECT_NE(again, 0);
    EXPECT_EQ(other.lastOpenFailure(), OpenFailure::None);
    EXPECT_NE(again, id);
    // The old identifier is dead.
    EXPECT_EQ(line_.write(id, "x", 1), 0);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::XonChar), 0);
    EXPECT_EQ(other.write(again, "x", 1), 1);
}

TEST_F(PtyLine, HasNoModemLines) {
    const int id = openLine(Handshake::RtsCts);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::Cts), 0);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::Dsr), 0);
    EXPECT_EQ(line_.setSignal(id, SerialSignal::Dtr, 1), 0);
    EXPECT_EQ(line_.setSignal(id, SerialSignal::Rts, 0), 0);
    // Without a CTS line nothing holds the output.
    EXPECT_EQ(line_.write(id, "ok", 2), 2);
    EXPECT_EQ(readMaster(2), "ok");
}

TEST_F(PtyLine, IsKnownAsAPseudoTerminalUnlikeOtherCharacterDevices) {
    const UniqueFd slave(::open(path_.c_str(), O_RDWR | O_NOCTTY));
    const UniqueFd null(::open("/dev/null", O_RDWR));
    EXPECT_TRUE(isPseudoTerminal(slave.get()));
    EXPECT_FALSE(isPseudoTerminal(null.get()));
}

// The kernel holds far less than this; what waits for room must try again.
TEST_F(PtyLine, AWriteBeyondWhatTheKernelHoldsGoesOutWholeInOrder) {
    const int id = openLine();
    line_.setTimeouts(id, 0, 0, 0, 20000, 0);
    const std::string text = letters(100'000);
    int written = 0;
    std::thread writer(
        [&] { written = line_.write(id, text.data(), static_cast<int>(text.size())); });
    const std::string got = readMaster(text.size());
    writer.join();
    EXPECT_EQ(written, static_cast<int>(text.size()));
    EXPECT_TRUE(got == text) << got.size() << " bytes came";
}

// Nothing tells of a change on a pty: the looks go on until the request.
TEST_F(PtyLine, AwaitSignalWithoutModemLinesEndsOnlyAtAnAbort) {
    const int id = openLine(Handshake::RtsCts);
    AbortRequest abort;
    EXPECT_TRUE(line_.awaitSignal(id, SerialSignal::Cts, false, abort));
    std::thread operatorThread([&abort] {
        std::this_thread::sleep_for(milliseconds(50));
        abort.raise();
    });
    EXPECT_FALSE(line_.awaitSignal(id, SerialSignal::Dsr, true, abort));
    EXPECT_TRUE(abort.raised());
    operatorThread.join();
}

TEST_F(PtyLine, RefusesWhatIsNoTerminalWithoutTouchingIt) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("drovane-pty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "program.nc";
    std::ofstream(file) << "%\nO0001\n";
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const std::vector<std::pair<std::string, OpenFailure>> cases = {
        {file.string(), OpenFailure::NotSerial},
        {fifo.string(), OpenFailure::NotSerial},
        {dir.string(), OpenFailure::NotSerial},
        {"/dev/null", OpenFailure::NotSerial},
        {(dir / "missing").string(), OpenFailure::NoSuchPort},
        {(file / "below").string(), OpenFailure::NoSuchPort},
    };
    for (const auto& [name, reason] : cases) {
        SerialSettings s = settings();
        s.portName = name;
        EXPECT_EQ(line_.open(s), 0) << name;
        EXPECT_EQ(line_.lastOpenFailure(), reason) << name;
    }
    std::ifstream in(file);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "%\nO0001\n");
    std::filesystem::remove_all(dir);
}

TEST_F(PtyLine, MasterClosingWhileTheQueueIsFullIsAnIoError) {
    const int id = openLine();
    line_.setTimeouts(id, 100, 100, 100, 20000, 0);
    const std::string lots(1 << 20, 'x'); // far more than a pseudo-terminal buffers
    std::thread closer([this] {
        std::this_thread::sleep_for(milliseconds(300));
        pty_.hangUp();
    });
    const auto start = Clock::now();
    const int sent = line_.write(id, lots.data(), static_cast<int>(lots.size()));
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    closer.join();
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, static_cast<int>(lots.size()));
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::IOE));
}

TEST_F(PtyLine, XonXoffReceptionLeavesWhatTheQueueCannotHoldInTheKernel) {
    SerialSettings s = settings(Handshake::XonXoff);
    s.inputBufferSize = 100; // XOFF once 30 bytes wait, XON at 10
    s.outputBufferSize = 100;
    const int id = line_.open(s);
    ASSERT_NE(id, 0);
    const std::string sent = letters(3000);
    writeMaster(sent); // the reader is not reading
    const auto giveUp = Clock::now() + milliseconds(5000);
    while (line_.inputWaiting(id) < 100 && Clock::now() < giveUp) {
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_EQ(line_.inputWaiting(id), 100);
    EXPECT_EQ(readMaster(1), "\x13");

    line_.setTimeouts(id, 0, 10000, 0, 10, 100);
    std::string got(sent.size(), '\0');
    EXPECT_EQ(line_.read(id, got.data(), static_cast<int>(got.size())),
              static_cast<int>(sent.size()));
    EXPECT_EQ(got, sent);
    EXPECT_FALSE(hasFlag(line_.takeErrors(id), SerialError::RxOver));
    EXPECT_EQ(readMaster(1), "\x11");
}

TEST_F(PtyLine, BytesThatWaitedBeforeTheOpenAreNotRead) {
    // Keeps the slave open, so that what the peer writes waits in it.
    const UniqueFd slave(::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    ASSERT_TRUE(slave.valid());
    writeMaster("rest of an earlier punch\n");
    pollfd entry{slave.get(), POLLIN, 0};
    ASSERT_EQ(::poll(&entry, 1, 5000), 1);

    const int id = openLine();
    line_.setTimeouts(id, 0, 300, 0, 10, 100);
    char buffer[64];
    EXPECT_EQ(line_.read(id, buffer, sizeof buffer), 0);
    writeMaster("new");
    line_.setTimeouts(id, 0, 5000, 0, 10, 100);
    ASSERT_EQ(line_.read(id, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "new");
}

TEST_F(PtyLine, TheKernelThrottlesTheFarEndWithTheFlowCharactersInUse) {
    const UniqueFd slave(::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    ASSERT_TRUE(slave.valid());
    const int id = openLine(Handshake::XonXoff);
    termios values{};
    ASSERT_EQ(::tcgetattr(slave.get(), &values), 0);
    EXPECT_NE(values.c_iflag & IXOFF, 0U);
    EXPECT_EQ(values.c_iflag & IXON, 0U); // the line sees the far end's XOFF itself
    EXPECT_EQ(values.c_cc[VSTOP], 0x13);
    EXPECT_EQ(values.c_cc[VSTART], 0x11);

    EXPECT_EQ(line_.setSignal(id, SerialSignal::XoffChar, 'S'), 1);
    EXPECT_EQ(line_.setSignal(id, SerialSignal::XonChar, 'Q'), 1);
    ASSERT_EQ(::tcgetattr(slave.get(), &values), 0);
    EXPECT_EQ(values.c_cc[VSTOP], 'S');
    EXPECT_EQ(values.c_cc[VSTART], 'Q');
}

} // namespace
} // namespace drovane
