#pragma once

// The contract every line back end keeps, one typed suite instantiated per
// back end. A back end offers line(), settings(handshake), send(bytes) from
// the far end, receive(count, quiet) (what the far end got, fewer after
// `quiet` without a byte), waiting() (what has arrived and receive has not
// taken), hangUp() of the far end, and kMostAfterXoff: the bytes that may
// follow an XOFF while bytes go out singly.

#include "serial/abort_request.h"
#include "serial/serial_line.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <numeric>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace drovane::contract {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline std::string letters(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<char>('A' + i % 26));
    }
    return bytes;
}

template <class BackEnd> class LineContract : public testing::Test {
protected:
    int openLine(Handshake handshake = Handshake::NoHandshake) {
        const int id = line().open(end.settings(handshake));
        EXPECT_NE(id, 0);
        return id;
    }
    SerialLine& line() { return end.line(); }
    std::string receive(std::size_t count, milliseconds quiet = milliseconds(2000)) {
        return end.receive(count, quiet);
    }
    // Sends `after` to the line from another thread once the call has begun.
    std::thread later(std::function<void()> after, milliseconds delay = milliseconds(100)) {
        return std::thread([after = std::move(after), delay] {
            std::this_thread::sleep_for(delay);
            after();
        });
    }

    BackEnd end;
};

TYPED_TEST_SUITE_P(LineContract);

TYPED_TEST_P(LineContract, CarriesEveryByteValueUnchangedBothWays) {
    const int id = this->openLine();
    std::string bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    EXPECT_EQ(this->line().write(id, bytes.data(), 256), 256);
    EXPECT_EQ(this->receive(256), bytes);
    EXPECT_EQ(this->line().takeErrors(id), SerialError::None); // a clean write leaves no flags

    this->end.send(bytes);
    this->line().setTimeouts(id, 0, 2000, 0, 10, 100);
    std::string got(256, '\0');
    EXPECT_EQ(this->line().read(id, got.data(), 256), 256);
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(this->line().inputWaiting(id), 0);
}

TYPED_TEST_P(LineContract, ReadsGiveUpAsTheirTimeoutsSay) {
    const int id = this->openLine();
    char buffer[10];
    this->line().setTimeouts(id, kMaxTimeout, 0, 0, 10, 100);
    EXPECT_EQ(this->line().read(id, buffer, 10), 0); // returns at once, nothing there

    this->line().setTimeouts(id, 0, 200, 10, 10, 100);
    auto start = Clock::now();
    EXPECT_EQ(this->line().read(id, buffer, 10), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(290));

    // Three bytes, then silence: the interval timeout ends the read long
    // before the total one.
    this->end.send("abc");
    this->line().setTimeouts(id, 50, 20000, 0, 10, 100);
    start = Clock::now();
    EXPECT_EQ(this->line().read(id, buffer, 10), 3);
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    EXPECT_EQ(std::string(buffer, 3), "abc");
}

TYPED_TEST_P(LineContract, XoffHoldsWritesUntilTheTimeoutAndXonReleasesThem) {
    const int id = this->openLine(Handshake::XonXoff);
    this->end.send("\x13");
    this->line().setTimeouts(id, 100, 100, 100, 200, 100);
    auto start = Clock::now();
    EXPECT_EQ(this->line().write(id, "Q", 1), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(290));
    EXPECT_TRUE(hasFlag(this->line().takeErrors(id), SerialError::XoffReceived));
    EXPECT_EQ(this->receive(1, milliseconds(100)), "");

    this->line().setTimeouts(id, 100, 100, 100, 20000, 0);
    std::thread releaser = this->later([this] { this->end.send("\x11"); });
    start = Clock::now();
    EXPECT_EQ(this->line().write(id, "Q", 1), 1);
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    releaser.join();
    EXPECT_EQ(this->receive(1), "Q");
    EXPECT_FALSE(hasFlag(this->line().takeErrors(id), SerialError::XoffReceived));

    // The flow characters never reach read or inputWaiting.
    this->end.send("x\x13y\x11z");
    this->line().setTimeouts(id, 0, 2000, 0, 10, 100);
    char got[3];
    EXPECT_EQ(this->line().read(id, got, 3), 3);
    EXPECT_EQ(std::string(got, 3), "xyz");
    EXPECT_EQ(this->line().inputWaiting(id), 0);
}

TYPED_TEST_P(LineContract, ChangedFlowCharactersAreHonoured) {
    const int id = this->openLine(Handshake::XonXoff);
    EXPECT_EQ(this->line().getSignal(id, SerialSignal::XonChar), 0x11);
    EXPECT_EQ(this->line().setSignal(id, SerialSignal::XoffChar, 0x100 + 'S'), 1);
    EXPECT_EQ(this->line().getSignal(id, SerialSignal::XoffChar), 'S');
    EXPECT_EQ(this->line().setSignal(id, SerialSignal::XonChar, 0x93), 1);
    EXPECT_EQ(this->line().getSignal(id, SerialSignal::XonChar), -109); // signed, as Windows has it
    this->end.send("S");
    this->line().setTimeouts(id, 100, 100, 100, 50, 0);
    EXPECT_EQ(this->line().write(id, "a", 1), 0);
    EXPECT_TRUE(hasFlag(this->line().takeErrors(id), SerialError::XoffReceived));
}

TYPED_TEST_P(LineContract, NoFlowControlSurvivesIntoALaterOpenWithoutHandshake) {
    int id = this->openLine(Handshake::XonXoff);
    this->end.send("\x13");
    this->line().setTimeouts(id, 100, 100, 100, 50, 0);
    EXPECT_EQ(this->line().write(id, "a", 1), 0);
    this->line().close(id);

    id = this->openLine(Handshake::NoHandshake);
    this->line().setTimeouts(id, 0, 2000, 0, 50, 0);
    this->end.send("\x13");
    EXPECT_EQ(this->line().write(id, "b", 1), 1);
    EXPECT_EQ(this->receive(1), "b");
    char got = 0;
    EXPECT_EQ(this->line().read(id, &got, 1), 1); // DC3 is data now
    EXPECT_EQ(got, '\x13');
}

TYPED_TEST_P(LineContract, InputSideSendsXoffAtXoffLimAndXonAtXonLim) {
    SerialSettings s = this->end.settings(Handshake::XonXoff);
    s.inputBufferSize = 100; // XOFF once 30 bytes wait, XON at 10
    s.outputBufferSize = 100;
    const int id = this->line().open(s);
    ASSERT_NE(id, 0);
    this->end.send(std::string(40, 'a'));
    const auto giveUp = Clock::now() + milliseconds(3000);
    while (this->line().inputWaiting(id) < 40 && Clock::now() < giveUp) {
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_EQ(this->line().inputWaiting(id), 40);
    EXPECT_EQ(this->receive(1), "\x13");
    EXPECT_TRUE(hasFlag(this->line().takeErrors(id), SerialError::XoffSent));

    char sink[40];
    EXPECT_EQ(this->line().read(id, sink, 40), 40);
    EXPECT_EQ(this->receive(1), "\x11");
    EXPECT_FALSE(hasFlag(this->line().takeErrors(id), SerialError::XoffSent));
}

// The wait of a receiving job between passes: over at the first byte or at
// the hang-up, which then shows as an I/O error; otherwise at its limit.
TYPED_TEST_P(LineContract, WaitForInputEndsWithBytesOrTheHangUpAndOtherwiseAtItsLimit) {
    const int id = this->openLine();
    const auto quietFrom = Clock::now();
    EXPECT_FALSE(this->line().waitForInput(id, milliseconds(30)));
    EXPECT_GE(Clock::now() - quietFrom, milliseconds(30));
    EXPECT_FALSE(this->line().waitForInput(id + 1, milliseconds(30000))); // not open: at once

    std::thread peer = this->later([this] { this->end.send("ab"); });
    auto waitFrom = Clock::now();
    EXPECT_TRUE(this->line().waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    peer.join();
    EXPECT_EQ(this->line().inputWaiting(id), 2);
    char got[2] = {};
    EXPECT_EQ(this->line().read(id, got, 2), 2);
    EXPECT_EQ(this->line().takeErrors(id), SerialError::None);

    std::thread hangUp = this->later([this] { this->end.hangUp(); });
    waitFrom = Clock::now();
    EXPECT_TRUE(this->line().waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    hangUp.join();
    EXPECT_TRUE(hasFlag(this->line().takeErrors(id), SerialError::IOE));
}

TYPED_TEST_P(LineContract, WaitForInputIgnoresFlowCharactersAndEndsOnAWatchedAbort) {
    const int id = this->openLine(Handshake::XonXoff);
    this->end.send("\x13\x11");
    const auto quietFrom = Clock::now();
    EXPECT_FALSE(this->line().waitForInput(id, milliseconds(100)));
    EXPECT_GE(Clock::now() - quietFrom, milliseconds(100)) << "woken by XOFF/XON alone";

    AbortRequest abort;
    this->line().watchAbort(&abort);
    std::thread raiser = this->later([&abort] { abort.raise(); });
    const auto waitFrom = Clock::now();
    EXPECT_FALSE(this->line().waitForInput(id, milliseconds(30000)));
    EXPECT_LT(Clock::now() - waitFrom, milliseconds(20000));
    raiser.join();
    this->line().watchAbort(nullptr);
}

TYPED_TEST_P(LineContract, AWatchedAbortEndsAHeldWriteButNotAFreeOne) {
    const int id = this->openLine(Handshake::XonXoff);
    this->end.send("\x13");
    this->line().setTimeouts(id, 100, 100, 100, 60000, 0);
    AbortRequest abort;
    this->line().watchAbort(&abort);
    std::thread raiser = this->later([&abort] { abort.raise(); });
    const auto start = Clock::now();
    EXPECT_EQ(this->line().write(id, "a", 1), 0);
    EXPECT_LT(Clock::now() - start, milliseconds(10000)); // not the minute
    raiser.join();
    EXPECT_EQ(this->receive(1, milliseconds(100)), "");

    this->end.send("\x11");
    const auto giveUp = Clock::now() + milliseconds(5000);
    while (hasFlag(this->line().takeErrors(id), SerialError::XoffReceived) &&
           Clock::now() < giveUp) {
        this->line().inputWaiting(id);
    }
    EXPECT_EQ(this->line().write(id, "b", 1), 1);
    EXPECT_EQ(this->receive(1), "b");
    this->line().watchAbort(nullptr);
}

TYPED_TEST_P(LineContract, FewBytesFollowAnXoffWhileBytesGoOutSingly) {
    const int id = this->openLine(Handshake::XonXoff);
    this->line().setTimeouts(id, 100, 100, 100, 20000, 0);
    constexpr std::size_t kTotal = 6000;
    std::atomic<bool> failed{false};
    std::thread writer([&] {
        for (std::size_t i = 0; i < kTotal; ++i) {
            const auto byte = static_cast<char>('A' + i % 26);
            if (this->line().write(id, &byte, 1) != 1) {
                failed = true;
                return;
            }
        }
    });
    std::string got = this->receive(2000);
    // Everything that has arrived is taken before the XOFF goes out.
    got += this->receive(kTotal, milliseconds(0));
    this->end.send("\x13");
    const std::size_t onTheWay = this->end.waiting(); // had arrived when the XOFF went
    const std::string after = this->receive(kTotal, milliseconds(300));
    this->RecordProperty("bytesAfterXoff", static_cast<int>(after.size() - onTheWay));
    // A writer that ignored the XOFF would send thousands here.
    EXPECT_LE(after.size() - onTheWay, TypeParam::kMostAfterXoff);
    EXPECT_EQ(this->receive(kTotal, milliseconds(300)), "");
    got += after;
    this->end.send("\x11");
    got += this->receive(kTotal - got.size());
    writer.join();
    EXPECT_FALSE(failed);
    EXPECT_TRUE(got == letters(kTotal)) << "nothing lost, nothing sent twice";
}

TYPED_TEST_P(LineContract, AHangUpDuringAHeldWriteIsAnIoErrorNotAHang) {
    const int id = this->openLine(Handshake::XonXoff);
    this->end.send("\x13");
    this->line().setTimeouts(id, 100, 100, 100, 20000, 0);
    std::thread closer = this->later([this] { this->end.hangUp(); }, milliseconds(200));
    const auto start = Clock::now();
    EXPECT_EQ(this->line().write(id, "a", 1), 0);
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
    closer.join();
    const SerialError errors = this->line().takeErrors(id);
    EXPECT_TRUE(hasFlag(errors, SerialError::IOE));
    EXPECT_FALSE(hasFlag(errors, SerialError::EOFSent));
    this->line().close(id); // must not hang either
}

TYPED_TEST_P(LineContract, RefusesSettingsNoPortTakesAndOneOpenAtATime) {
    for (const auto& [baudRate, dataBits] : {std::pair{0, 8}, {-9600, 8}, {9600, 0}, {9600, 9}}) {
        SerialSettings s = this->end.settings(Handshake::NoHandshake);
        s.baudRate = baudRate;
        s.dataBits = static_cast<std::uint8_t>(dataBits);
        EXPECT_EQ(this->line().open(s), 0) << baudRate << " baud, " << dataBits << " bits";
        EXPECT_EQ(this->line().lastOpenFailure(), OpenFailure::SettingsRefused);
    }
    const int id = this->openLine();
    EXPECT_EQ(this->line().lastOpenFailure(), OpenFailure::None);
    EXPECT_EQ(this->line().open(this->end.settings(Handshake::NoHandshake)), 0);
    EXPECT_EQ(this->line().lastOpenFailure(), OpenFailure::InUse);
    this->line().close(id);
    EXPECT_EQ(this->line().write(id, "x", 1), 0); // the old identifier is dead
}

REGISTER_TYPED_TEST_SUITE_P(
    LineContract, CarriesEveryByteValueUnchangedBothWays, ReadsGiveUpAsTheirTimeoutsSay,
    XoffHoldsWritesUntilTheTimeoutAndXonReleasesThem, ChangedFlowCharactersAreHonoured,
    NoFlowControlSurvivesIntoALaterOpenWithoutHandshake, InputSideSendsXoffAtXoffLimAndXonAtXonLim,
    WaitForInputEndsWithBytesOrTheHangUpAndOtherwiseAtItsLimit,
    WaitForInputIgnoresFlowCharactersAndEndsOnAWatchedAbort,
    AWatchedAbortEndsAHeldWriteButNotAFreeOne, FewBytesFollowAnXoffWhileBytesGoOutSingly,
    AHangUpDuringAHeldWriteIsAnIoErrorNotAHang, RefusesSettingsNoPortTakesAndOneOpenAtATime);

} // namespace drovane::contract
