#include "serial/virtual/virtual_serial_line.h"

#include "serial/abort_request.h"
#include "serial/virtual/virtual_cable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;
using Kind = LineEvent::Kind;
using std::chrono::milliseconds;

SerialSettings settings(Handshake handshake = Handshake::NoHandshake) {
    SerialSettings s;
    s.portName = "COM1";
    s.baudRate = 9600;
    s.handshake = handshake;
    return s;
}

class VirtualLine : public testing::Test {
protected:
    int openLine(Handshake handshake = Handshake::NoHandshake) {
        const int id = line_.open(settings(handshake));
        EXPECT_NE(id, 0);
        return id;
    }

    VirtualSerialLine line_;
    VirtualFarEnd far_ = line_.farEnd();
};

TEST_F(VirtualLine, DtrAndDsrReachTheOtherEndInOrder) {
    const int id = openLine();
    EXPECT_TRUE(far_.line(SerialSignal::Dtr));  // up from the open, as on Linux
    EXPECT_FALSE(far_.line(SerialSignal::Rts)); // no handshake: held low
    EXPECT_EQ(line_.setSignal(id, SerialSignal::Dtr, 0), 1);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::Dsr), 0);
    far_.setLine(SerialSignal::Dsr, true);
    EXPECT_EQ(line_.getSignal(id, SerialSignal::Dsr), 1);
    EXPECT_EQ(line_.setSignal(id, SerialSignal::Dtr, 1), 1);
    line_.close(id);
    EXPECT_THAT(far_.events(),
                testing::ElementsAre(LineEvent{Kind::Opened, 0}, LineEvent{Kind::Dtr, 1},
                                     LineEvent{Kind::Dtr, 0}, LineEvent{Kind::Dsr, 1},
                                     LineEvent{Kind::Dtr, 1}, LineEvent{Kind::Dtr, 0},
                                     LineEvent{Kind::Closed, 0}));
    EXPECT_EQ(line_.getSignal(id, SerialSignal::Dsr), 0); // closed: every call gives 0
}

TEST_F(VirtualLine, RtsAtOpenFollowsTheHandshake) {
    const struct {
        Handshake handshake;
        bool rts;
    } cases[] = {{Handshake::NoHandshake, false},
                 {Handshake::RtsHandshake, true},
                 {Handshake::RtsCts, true},
                 {Handshake::XonXoff, true}};
    for (const auto& c : cases) {
        const int id = openLine(c.handshake);
        EXPECT_EQ(far_.line(SerialSignal::Rts), c.rts);
        line_.close(id);
        EXPECT_FALSE(far_.line(SerialSignal::Rts));
        EXPECT_FALSE(far_.line(SerialSignal::Dtr));
    }
}

TEST_F(VirtualLine, CtsHoldsOutputOnlyUnderRtsCts) {
    int id = openLine(Handshake::RtsCts);
    line_.setTimeouts(id, 100, 100, 100, 10, 100);
    auto start = Clock::now();
    EXPECT_EQ(line_.write(id, "a", 1), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(100));
    EXPECT_EQ(far_.received(), "");
    const SerialError errors = line_.takeErrors(id);
    EXPECT_TRUE(hasFlag(errors, SerialError::WaitingCTS));
    EXPECT_FALSE(hasFlag(errors, SerialError::XoffReceived));

    line_.setTimeouts(id, 100, 100, 100, 20000, 0);
    std::thread raiser([this] {
        std::this_thread::sleep_for(milliseconds(100));
        far_.setLine(SerialSignal::Cts, true);
    });
    start = Clock::now();
    EXPECT_EQ(line_.write(id, "b", 1), 1);
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    raiser.join();
    EXPECT_EQ(far_.received(), "b");
    EXPECT_EQ(line_.getSignal(id, SerialSignal::Cts), 1);
    EXPECT_FALSE(hasFlag(line_.takeErrors(id), SerialError::WaitingCTS));
    line_.close(id);

    far_.setLine(SerialSignal::Cts, false);
    id = openLine(Handshake::RtsHandshake);
    EXPECT_EQ(line_.write(id, "c", 1), 1);
    EXPECT_EQ(line_.takeErrors(id), SerialError::None);
}

TEST_F(VirtualLine, RtsDropsWhenTheInputQueueFillsUnderRtsCts) {
    SerialSettings s = settings(Handshake::RtsCts);
    s.inputBufferSize = 100;
    s.outputBufferSize = 100;
    const int id = line_.open(s);
    far_.send(std::string(76, 'x'));
    EXPECT_FALSE(far_.line(SerialSignal::Rts));
    char sink[40];
    line_.setTimeouts(id, 0, 1000, 0, 10, 100);
    EXPECT_EQ(line_.read(id, sink, 27), 27); // 49 left: below half
    EXPECT_TRUE(far_.line(SerialSignal::Rts));
}

TEST_F(VirtualLine, ErrorFlagsAndEofAreReportedOnceEach) {
    const int id = openLine();
    far_.raiseErrors(SerialError::Frame | SerialError::Break);
    EXPECT_EQ(line_.inputWaiting(id), 0); // looking at the queue keeps them
    EXPECT_EQ(line_.takeErrors(id), SerialError::Frame | SerialError::Break);
    EXPECT_EQ(line_.takeErrors(id), SerialError::None);
    far_.raiseErrors(SerialError::EOFSent);
    EXPECT_EQ(line_.takeErrors(id), SerialError::EOFSent);
    EXPECT_EQ(line_.takeErrors(id + 1), SerialError::None);
}

TEST_F(VirtualLine, AVanishedDeviceIsAnIoError) {
    const int id = openLine();
    far_.setConnected(false);
    EXPECT_EQ(line_.write(id, "a", 1), 0);
    const SerialError errors = line_.takeErrors(id);
    EXPECT_TRUE(hasFlag(errors, SerialError::IOE));
    EXPECT_FALSE(hasFlag(errors, SerialError::EOFSent));
    line_.close(id);
    EXPECT_EQ(line_.open(settings()), 0);
}

// Bytes and a hang-up end it as on every line (line_contract.h); an error
// the far end raises does too.
TEST_F(VirtualLine, WaitForInputEndsWithAnError) {
    const int id = openLine();
    std::thread cause([this] {
        std::this_thread::sleep_for(milliseconds(50));
        far_.raiseErrors(SerialError::Frame);
    });
    const auto waitFrom = Clock::now();
    EXPECT_TRUE(line_.waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    cause.join();
    EXPECT_EQ(line_.takeErrors(id), SerialError::Frame);
}

TEST_F(VirtualLine, RefusesWhatAPortCannotTake) {
    far_.refuseOpen(true);
    EXPECT_EQ(line_.open(settings()), 0);
    EXPECT_EQ(line_.lastOpenFailure(), OpenFailure::DeviceFailed);
    far_.refuseOpen(false);
    far_.setConnected(false);
    EXPECT_EQ(line_.open(settings()), 0);
    EXPECT_EQ(line_.lastOpenFailure(), OpenFailure::NoSuchPort);
    far_.setConnected(true);
    const int id = openLine();
    ASSERT_TRUE(far_.openSettings());
    EXPECT_EQ(far_.openSettings()->baudRate, 9600);
    line_.close(id);
    EXPECT_FALSE(far_.isOpen());
}

// Bytes that go out in runs at the line rate: what was on the wire when the
// XOFF came still arrives, nothing after it.
TEST_F(VirtualLine, AtMostTheWireFifoFollowsAnXoffWhileRunsGoOutAtTheLineRate) {
    constexpr std::size_t kFifo = 16;
    SerialSettings s = settings(Handshake::XonXoff);
    s.baudRate = 115200;
    const int id = line_.open(s);
    far_.setConsumptionRate(kAtLineRate);
    far_.setInputLimit(kFifo);
    line_.setTimeouts(id, 100, 100, 100, 60000, 0);
    const std::string text(4000, 'r');
    std::atomic<int> sent{-1};
    std::thread writer([&] { sent = line_.write(id, text.data(), 4000); });
    ASSERT_TRUE(far_.waitForReceived(500, milliseconds(10000)));
    far_.sendXoff();
    const std::size_t atXoff = far_.received().size();
    far_.waitForReceived(atXoff + kFifo + 1, milliseconds(200));
    const std::size_t after = far_.received().size() - atXoff;
    RecordProperty("bytesAfterXoff", static_cast<int>(after));
    EXPECT_LE(after, kFifo);
    far_.sendXon();
    writer.join();
    EXPECT_EQ(sent, 4000);
    EXPECT_TRUE(far_.waitForReceived(4000, milliseconds(10000)));
    EXPECT_EQ(far_.received(), text);
}

// Bytes from the far end wake the wait too; only the line reading the
// value or the request (not watched by the line) may end it.
TEST_F(VirtualLine, AwaitSignalEndsAtTheLinesValueOrAnAbortNotAtOtherNews) {
    const struct {
        const char* what;
        SerialSignal signal;
        bool on;
        bool farRaisesLine;
        bool expected;
    } cases[] = {
        {"DSR comes", SerialSignal::Dsr, true, true, true},
        {"CTS comes", SerialSignal::Cts, true, true, true},
        {"DSR never comes", SerialSignal::Dsr, true, false, false},
        {"CTS is low already", SerialSignal::Cts, false, false, true},
    };
    for (const auto& c : cases) {
        const int id = openLine();
        AbortRequest abort;
        std::thread farEnd([&] {
            std::this_thread::sleep_for(milliseconds(50));
            far_.send("G1");
            std::this_thread::sleep_for(milliseconds(20));
            if (c.farRaisesLine) {
                far_.setLine(c.signal, true);
            } else {
                abort.raise();
            }
        });
        EXPECT_EQ(line_.awaitSignal(id, c.signal, c.on, abort), c.expected) << c.what;
        abort.raise(); // a wait that ended early must not leave the thread hanging
        farEnd.join();
        far_.setLine(c.signal, false);
        line_.close(id);
    }
}

TEST_F(VirtualLine, ASlowFarEndWithAFullInputHoldsTheWriter) {
    const int id = openLine();
    far_.setConsumptionRate(1000); // 10 ms a byte
    far_.setInputLimit(2);
    line_.setTimeouts(id, 100, 100, 100, 50, 0);
    const std::string text(40, 'n');
    const int sent = line_.write(id, text.data(), 40);
    EXPECT_GE(sent, 2);
    EXPECT_LT(sent, 40);
    EXPECT_TRUE(hasFlag(line_.takeErrors(id), SerialError::TxFull));
    EXPECT_TRUE(far_.waitForReceived(static_cast<std::size_t>(sent), milliseconds(5000)));
    EXPECT_EQ(far_.received(), std::string(static_cast<std::size_t>(sent), 'n'));
    EXPECT_EQ(far_.inFlight(), 0U);
}

TEST(VirtualLineClock, ASpedUpClockShortensTimeouts) {
    VirtualSerialLine line(100.0);
    const int id = line.open(settings(Handshake::XonXoff));
    line.farEnd().sendXoff();
    line.setTimeouts(id, 100, 100, 100, 3000, 0); // 3 s of line time
    const auto start = Clock::now();
    EXPECT_EQ(line.write(id, "a", 1), 0);
    EXPECT_LT(Clock::now() - start, milliseconds(1500));
    EXPECT_TRUE(hasFlag(line.takeErrors(id), SerialError::XoffReceived));
}

} // namespace
} // namespace drovane
