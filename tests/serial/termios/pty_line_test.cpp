// The termios back end on pseudo-terminals: the test holds the master side,
// the line opens the slave by its path.

#include "core/unique_fd.h"
#include "serial/abort_request.h"
#include "serial/termios/termios_serial_line.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
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

class PtyLine : public testing::Test {
protected:
    void SetUp() override {
        int master = -1;
        int slave = -1;
        ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        master_.reset(master);
        path_ = ::ttyname(slave);
        ::close(slave);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    }

    SerialSettings settings(Handshake handshake = Handshake::NoHandshake) const {
        SerialSettings s;
        s.portName = path_;
        s.baudRate = 115200;
        s.handshake = handshake;
        return s;
    }

    int openLine(Handshake handshake = Handshake::NoHandshake) {
        const int id = line_.open(settings(handshake));
        EXPECT_NE(id, 0);
        return id;
    }

    // Up to `count` bytes; stops early after `quiet` without a byte.
    std::string readMaster(std::size_t count, milliseconds quiet = milliseconds(2000)) const {
        std::string got;
        char chunk[4096];
        while (got.size() < count) {
            pollfd entry{master_.get(), POLLIN, 0};
            if (::poll(&entry, 1, static_cast<int>(quiet.count())) <= 0) {
                break;
            }
            const ssize_t n =
                ::read(master_.get(), chunk, std::min(sizeof chunk, count - got.size()));
            if (n <= 0) {
                break;
            }
            got.append(chunk, static_cast<std::size_t>(n));
        }
        return got;
    }

    void writeMaster(std::string_view bytes) const {
        ASSERT_EQ(::write(master_.get(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }

    UniqueFd master_;
    std::string path_;
    TermiosSerialLine line_;
};

TEST_F(PtyLine, CarriesEveryByteValueUnchangedBothWays) {
    const int id = openLine();
    const std::string bytes = allByteValues();
    EXPECT_EQ(line_.write(id, bytes.data(), 256), 256);
    EXPECT_EQ(readMaster(256), bytes);
    EXPECT_EQ(line_.takeErrors(id), SerialError::None); // a clean write leaves no flags

    writeMaster(bytes);
    line_.setTimeouts(id, 0, 2000, 0, 10, 100);
    std::string got(256, '\0');
    EXPECT_EQ(line_.read(id, got.data(), 256), 256);
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(line_.inputWaiting(id), 0);
}

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

TEST_F(PtyLine, ReadGivesUpAfterItsTotalTimeoutAndReturnsAfterAGap) {
    const int id = openLine();
    line_.setTimeouts(id, 0, 200, 10, 10, 100);
    char buffer[10];
    auto start = Clock::now();
    EXPECT_EQ(line_.read(id, buffer, 10), 0);
    auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, milliseconds(290));
    EXPECT_LT(elapsed, milliseconds(3000));

    // Three bytes, then silence: the interval timeout ends the read long
    // before the total one.
    writeMaster("abc");
    line_.setTimeouts(id, 50, 20000, 0, 10, 100);
    start = Clock::now();
    EXPECT_EQ(line_.read(id, buffer, 10), 3);
    EXPECT_LT(Clock::now() - start, milliseconds(5000));
    EXPECT_EQ(std::string(buffer, 3), "abc");
}

TEST_F(PtyLine, XoffHoldsWritesUntilTheTimeoutAndXonReleasesThem) {
    const int id = openLine(Handshake::XonXoff);
    writeMaster("\x13");
    line_.setTimeouts(id, 100, 100, 100, 200, 100);
    const char byte = 'Q';
    auto start = Clock::now();
    EXPECT_EQ(line_.write(id, &byte, 1), 0);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, milliseconds(290));
    EXPECT_LT(elapsed, milliseconds(3000));
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::XoffReceived));
    EXPECT_EQ(readMaster(1, milliseconds(100)), "");

    line_.setTimeouts(id, 100, 100, 100, 20000, 0);
    std::thread releaser([this] {
        std::this_thread::sleep_for(milliseconds(150));
        writeMaster("\x11");
    });
    start = Clock::now();
    EXPECT_EQ(line_.write(id, &byte, 1), 1);
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    releaser.join();
    EXPECT_EQ(readMaster(1), "Q");
    EXPECT_FALSE(hasFlag(line_.takeErrors(id), SerialError::XoffReceived));

    // The flow characters never reach read or inputWaiting.
    writeMaster("x\x13y\x11z");
    line_.setTimeouts(id, 0, 2000, 0, 10, 100);
    char got[3];
    EXPECT_EQ(line_.read(id, got, 3), 3);
    EXPECT_EQ(std::string(got, 3), "xyz");
    EXPECT_EQ(line_.inputWaiting(id), 0);
}

TEST_F(PtyLine, ChangedFlowCharactersAreHonoured) {
    const int id = openLine(Handshake::XonXoff);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::XonChar), 0x11);
    EXPECT_EQ(line_.setSignal(id, SerialSignal::XoffChar, 0x100 + 'S'), 1);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::XoffChar), 'S');
    writeMaster("S");
    line_.setTimeouts(id, 100, 100, 100, 50, 0);
    EXPECT_EQ(line_.write(id, "a", 1), 0);
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::XoffReceived));
}

TEST_F(PtyLine, InputSideSendsXoffAtXoffLimAndXonAtXonLim) {
    SerialSettings s = settings(Handshake::XonXoff);
    s.inputBufferSize = 100; // XOFF once 30 bytes wait, XON at 10
    s.outputBufferSize = 100;
    const int id = line_.open(s);
    ASSERT_NE(id, 0);
    writeMaster(std::string(40, 'a'));
    const auto giveUp = Clock::now() + milliseconds(3000);
    while (line_.inputWaiting(id) < 40 && Clock::now() < giveUp) {
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_EQ(line_.inputWaiting(id), 40);
    EXPECT_EQ(readMaster(1), "\x13");
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::XoffSent));

    char sink[40];
    EXPECT_EQ(line_.read(id, sink, 40), 40);
    EXPECT_EQ(readMaster(1), "\x11");
    EXPECT_FALSE(hasFlag(line_.takeErrors(id), SerialError::XoffSent));
}

TEST_F(PtyLine, NoFlowControlSurvivesIntoALaterOpenWithoutHandshake) {
    int id = openLine(Handshake::XonXoff);
    writeMaster("\x13");
    line_.setTimeouts(id, 100, 100, 100, 50, 0);
    EXPECT_EQ(line_.write(id, "a", 1), 0);
    line_.close(id);

    id = openLine(Handshake::NoHandshake);
    line_.setTimeouts(id, 0, 2000, 0, 50, 0);
    writeMaster("\x13");
    EXPECT_EQ(line_.write(id, "b", 1), 1);
    EXPECT_EQ(readMaster(1), "b");
    char got = 0;
    EXPECT_EQ(line_.read(id, &got, 1), 1); // DC3 is data now
    EXPECT_EQ(got, '\x13');
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

TEST_F(PtyLine, RefusesSettingsNoPortTakesAndSaysSo) {
    for (const auto& broken : {+[](SerialSettings& s) { s.baudRate = 0; },
                               +[](SerialSettings& s) { s.baudRate = -9600; },
                               +[](SerialSettings& s) { s.dataBits = 0; },
                               +[](SerialSettings& s) {
                                   s.dataBits = 9;
                               }}) {
        SerialSettings s = settings();
        broken(s);
        EXPECT_EQ(line_.open(s), 0);
        EXPECT_EQ(line_.lastOpenFailure(), OpenFailure::SettingsRefused);
    }
    openLine();
    EXPECT_EQ(line_.lastOpenFailure(), OpenFailure::None);
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

TEST_F(PtyLine, MasterClosingDuringAHeldWriteIsAnIoErrorNotAHang) {
    const int id = openLine(Handshake::XonXoff);
    writeMaster("\x13");
    line_.setTimeouts(id, 100, 100, 100, 20000, 0);
    std::thread closer([this] {
        std::this_thread::sleep_for(milliseconds(200));
        master_.reset();
    });
    const auto start = Clock::now();
    EXPECT_EQ(line_.write(id, "a", 1), 0);
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    closer.join();
    const SerialError errors = line_.takeErrors(id);
    EXPECT_TRUE(hasFlag(errors, SerialError::IOE));
    EXPECT_FALSE(hasFlag(errors, SerialError::EOFSent));
    line_.close(id); // must not hang either
}

TEST_F(PtyLine, MasterClosingWhileTheQueueIsFullIsAnIoError) {
    const int id = openLine();
    line_.setTimeouts(id, 100, 100, 100, 20000, 0);
    const std::string lots(1 << 20, 'x'); // far more than a pseudo-terminal buffers
    std::thread closer([this] {
        std::this_thread::sleep_for(milliseconds(300));
        master_.reset();
    });
    const auto start = Clock::now();
    const int sent = line_.write(id, lots.data(), static_cast<int>(lots.size()));
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    closer.join();
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, static_cast<int>(lots.size()));
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::IOE));
}

// The wait of a receiving job between passes: over at the first byte or at
// the hang-up, which then shows as an I/O error; otherwise at its limit.
TEST_F(PtyLine, WaitForInputEndsWithBytesOrTheHangUpAndOtherwiseAtItsLimit) {
    const int id = openLine();
    const auto quietFrom = Clock::now();
    EXPECT_FALSE(line_.waitForInput(id, milliseconds(30)));
    EXPECT_GE(Clock::now() - quietFrom, milliseconds(30));
    EXPECT_FALSE(line_.waitForInput(id + 1, milliseconds(30000))); // not open: at once

    std::thread peer([this] {
        std::this_thread::sleep_for(milliseconds(50));
        writeMaster("ab");
    });
    auto waitFrom = Clock::now();
    EXPECT_TRUE(line_.waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    peer.join();
    EXPECT_EQ(line_.inputWaiting(id), 2);
    char got[2] = {};
    EXPECT_EQ(line_.read(id, got, 2), 2);
    EXPECT_EQ(line_.takeErrors(id), SerialError::None);

    std::thread hangUp([this] {
        std::this_thread::sleep_for(milliseconds(50));
        master_.reset();
    });
    waitFrom = Clock::now();
    EXPECT_TRUE(line_.waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    hangUp.join();
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::IOE));
}

TEST_F(PtyLine, WaitForInputIgnoresFlowCharactersAndEndsOnAWatchedAbort) {
    const int id = openLine(Handshake::XonXoff);
    writeMaster("\x13\x11");
    const auto quietFrom = Clock::now();
    EXPECT_FALSE(line_.waitForInput(id, milliseconds(100)));
    EXPECT_GE(Clock::now() - quietFrom, milliseconds(100)) << "woken by XOFF/XON alone";

    AbortRequest abort;
    line_.watchAbort(&abort);
    std::thread operatorThread([&abort] {
        std::this_thread::sleep_for(milliseconds(50));
        abort.raise();
    });
    const auto waitFrom = Clock::now();
    EXPECT_FALSE(line_.waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    operatorThread.join();
    line_.watchAbort(nullptr);
}

TEST_F(PtyLine, FewBytesFollowAnXoffWhileBytesGoOutSingly) {
    const int id = openLine(Handshake::XonXoff);
    line_.setTimeouts(id, 100, 100, 100, 20000, 0);
    constexpr int kTotal = 6000;
    std::atomic<bool> failed{false};
    std::thread writer([&] {
        for (int i = 0; i < kTotal; ++i) {
            const auto byte = static_cast<char>('A' + i % 26);
            if (line_.write(id, &byte, 1) != 1) {
                failed = true;
                return;
            }
        }
    });
    std::string got = readMaster(2000);
    // Everything that has arrived is read before the XOFF goes out.
    got += readMaster(kTotal, milliseconds(0));
    writeMaster("\x13");
    const std::string after = readMaster(kTotal, milliseconds(300));
    RecordProperty("bytesAfterXoff", static_cast<int>(after.size()));
    // The count also holds what went out while this thread was between its
    // drain and the XOFF, which a loaded machine stretches; a writer that
    // ignored the XOFF would send thousands here. Quiet is what must hold.
    EXPECT_LE(after.size(), 64U);
    EXPECT_EQ(readMaster(kTotal, milliseconds(300)), "");
    got += after;
    writeMaster("\x11");
    got += readMaster(kTotal - got.size());
    writer.join();
    EXPECT_FALSE(failed);
    // Nothing lost, nothing sent twice.
    ASSERT_EQ(got.size(), static_cast<std::size_t>(kTotal));
    for (int i = 0; i < kTotal; ++i) {
        ASSERT_EQ(got[static_cast<std::size_t>(i)], static_cast<char>('A' + i % 26)) << i;
    }
}

std::string letters(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<char>('A' + i % 26));
    }
    return bytes;
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

TEST_F(PtyLine, AWatchedAbortEndsAHeldWriteButNotAFreeOne) {
    const int id = openLine(Handshake::XonXoff);
    writeMaster("\x13");
    line_.setTimeouts(id, 100, 100, 100, 60000, 0);
    AbortRequest abort;
    line_.watchAbort(&abort);
    std::thread raiser([&abort] {
        std::this_thread::sleep_for(milliseconds(200));
        abort.raise();
    });
    const auto start = Clock::now();
    EXPECT_EQ(line_.write(id, "a", 1), 0);
    EXPECT_LT(Clock::now() - start, milliseconds(10000)); // not the minute
    raiser.join();
    EXPECT_EQ(readMaster(1, milliseconds(100)), "");

    writeMaster("\x11");
    const auto giveUp = Clock::now() + milliseconds(5000);
    while (hasFlag(line_.takeErrors(id), SerialError::XoffReceived) && Clock::now() < giveUp) {
        line_.inputWaiting(id);
    }
    EXPECT_EQ(line_.write(id, "b", 1), 1);
    EXPECT_EQ(readMaster(1), "b");
    line_.watchAbort(nullptr);
}

} // namespace
} // namespace drovane
