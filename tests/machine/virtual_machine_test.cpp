#include "machine/machine_messages.h"
#include "machine/machine_program.h"
#include "machine/port_selecting_line.h"
#include "machine_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace drovane {
namespace {

namespace text = machine_text;

// Line time runs 50 times faster than the real clock.
constexpr double kClockSpeed = 50.0;

SerialSettings profile(std::int32_t baud, Handshake handshake, std::uint8_t dataBits = 8,
                       std::uint8_t parity = 0, double stopBits = 1.0) {
    SerialSettings s;
    s.portName = std::string(kVirtualPortName);
    s.baudRate = baud;
    s.dataBits = dataBits;
    s.parity = parity;
    s.stopBits = stopBits;
    s.handshake = handshake;
    s.inputBufferSize = 4096;
    s.outputBufferSize = 4096;
    return s;
}

// A program of numbered blocks, about `bytes` long, with a program number.
std::string program(std::size_t bytes) {
    std::string p = "%\nO0042 (WELLE)\n";
    for (int block = 10; p.size() < bytes; block += 10) {
        p += "N" + std::to_string(block) + " G01 X" + std::to_string(block % 97) + ".5 Z-" +
             std::to_string(block % 53) + ".25 F0.15\n";
    }
    return p + "M30\n%\n";
}

// A machine that works off 3000 bytes a second of real time: slower than any
// sender, also under Wine or on a loaded machine, so its buffer surely fills.
constexpr std::int32_t kSlowWorkBaud = 600;

std::string tape(std::string_view program, unsigned char end = 0x04) {
    return std::string(20, '\0') + std::string(program) + std::string(20, '\0') +
           std::string(1, static_cast<char>(end));
}

class VirtualMachineTest : public testing::Test {
protected:
    void SetUp() override { ports_->virtualMachine().setReport(log_.sink()); }

    std::unique_ptr<PortSelectingLine> ports_ = std::make_unique<PortSelectingLine>(kClockSpeed);
    ReportLog log_;
};

TEST_F(VirtualMachineTest, GivesBackWhatItReceivedByteForByte) {
    const struct {
        const char* name = "";
        SerialSettings settings;
        bool dtrDsr = false;
    } profiles[] = {
        {"4800 8N1 no handshake", profile(4800, Handshake::NoHandshake), false},
        {"4800 8N1 DTR/DSR", profile(4800, Handshake::NoHandshake), true},
        {"9600 7E2 XON/XOFF", profile(9600, Handshake::XonXoff, 7, 2, 2.0), false},
        {"2400 8O1 RTS/CTS", profile(2400, Handshake::RtsCts, 8, 1), true},
        {"1200 8N1 RTS handshake", profile(1200, Handshake::RtsHandshake), false},
    };
    int round = 0;
    for (const auto& p : profiles) {
        SCOPED_TRACE(p.name);
        // Every byte value but NUL and the flow and end characters.
        std::string sent = program(300) + "(ÄÖÜ \x7f\xff\x01)\n";
        sent += "O" + std::to_string(++round) + "\n";
        const auto stored = text::stored("O0042", sent.size(), 0);

        SendPlan plan{sent, 10, 10, 0x04, p.dtrDsr, 300};
        EXPECT_TRUE(sendAsJob(*ports_, p.settings, plan).complete);
        ASSERT_TRUE(log_.waitFor(stored));
        EXPECT_EQ(ports_->virtualMachine().storedProgram(), sent);
        // Sending alone never makes the machine punch.
        EXPECT_TRUE(log_.lines().size() == 1) << testing::PrintToString(log_.lines());

        const std::string got = receiveAsJob(*ports_, p.settings, {0x04, p.dtrDsr});
        EXPECT_EQ(got, tape(sent));
        EXPECT_TRUE(log_.waitFor(text::punching("O0042", sent.size(), false)));
        EXPECT_TRUE(log_.waitFor(text::kPunchDone));
        EXPECT_FALSE(log_.has(text::kOverflowAlarm));
        log_.clear();
    }
}

TEST_F(VirtualMachineTest, PunchesTheSampleWhenItHasNoProgramAndUsesItsEndCharacter) {
    ports_->virtualMachine().setEndCharacter(0x1A);
    const std::string got =
        receiveAsJob(*ports_, profile(9600, Handshake::NoHandshake), {0x1A, false});
    EXPECT_EQ(got, tape(sampleProgram(), 0x1A));
    EXPECT_TRUE(log_.waitFor(text::punching("O1000", sampleProgram().size(), /*sample=*/true)));
    EXPECT_FALSE(ports_->virtualMachine().storedProgram().has_value());
}

TEST_F(VirtualMachineTest, StopsStoringAtTheEndCharacter) {
    // The end byte first, then more: only what came before it counts.
    SendPlan plan{"O7\nG0\n\x04O8 TAIL\n", 3, 0, '%', false, 300};
    EXPECT_TRUE(sendAsJob(*ports_, profile(9600, Handshake::NoHandshake), plan).complete);
    ASSERT_TRUE(log_.waitFor(text::stored("O7", 6, 0)));
    EXPECT_EQ(ports_->virtualMachine().storedProgram(), "O7\nG0\n");
}

TEST_F(VirtualMachineTest, HoldsTheLineByXonXoffAndLosesNothing) {
    const std::string sent = program(4000);
    ports_->virtualMachine().setWorkBaud(kSlowWorkBaud);
    // A short write timeout makes every hold show as a failed write.
    SendPlan plan{sent, 0, 0, 0x04, false, 20};
    const SendOutcome outcome = sendAsJob(*ports_, profile(115200, Handshake::XonXoff), plan);
    EXPECT_TRUE(outcome.complete);
    EXPECT_GT(outcome.xoffHolds, 0U);
    EXPECT_EQ(outcome.ctsHolds, 0U);
    EXPECT_EQ(outcome.otherErrors, SerialError::None);
    ASSERT_TRUE(log_.waitFor(text::stored("O0042", sent.size(), 0)));
    EXPECT_EQ(ports_->virtualMachine().storedProgram(), sent);
    EXPECT_FALSE(log_.has(text::kOverflowAlarm));
}

TEST_F(VirtualMachineTest, HoldsTheLineByCtsAndLosesNothing) {
    const std::string sent = program(4000);
    ports_->virtualMachine().setWorkBaud(kSlowWorkBaud);
    SendPlan plan{sent, 0, 0, 0x04, false, 20};
    const SendOutcome outcome = sendAsJob(*ports_, profile(115200, Handshake::RtsCts), plan);
    EXPECT_TRUE(outcome.complete);
    EXPECT_GT(outcome.ctsHolds, 0U);
    EXPECT_EQ(outcome.xoffHolds, 0U);
    ASSERT_TRUE(log_.waitFor(text::stored("O0042", sent.size(), 0)));
    EXPECT_EQ(ports_->virtualMachine().storedProgram(), sent);
    EXPECT_FALSE(log_.has(text::kOverflowAlarm));
}

// The punch goes out in runs: a hold from our side must still stop it
// within the run, or a small input queue that nobody reads overflows.
TEST_F(VirtualMachineTest, APunchStopsForOurHoldWithinARun) {
    const std::string sent = program(3000);
    SendPlan plan{sent, 0, 0, 0x04, false, 300};
    ASSERT_TRUE(sendAsJob(*ports_, profile(9600, Handshake::XonXoff), plan).complete);
    ASSERT_TRUE(log_.waitFor(text::stored("O0042", sent.size(), 0)));
    for (const Handshake handshake : {Handshake::XonXoff, Handshake::RtsCts}) {
        SCOPED_TRACE(static_cast<int>(handshake));
        log_.clear();
        SerialSettings settings = profile(115200, handshake);
        settings.inputBufferSize = 256;
        settings.outputBufferSize = 256;
        const int id = ports_->open(settings);
        ASSERT_NE(id, 0);
        ports_->setTimeouts(id, 100, 100, 10, 10, 100);
        EXPECT_EQ(ports_->inputWaiting(id), 0); // asks for the punch
        ASSERT_TRUE(log_.waitFor(text::punching("O0042", sent.size(), false)));
        // Long enough for the whole tape many times over, had it not stopped.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_LE(ports_->inputWaiting(id), 256);
        std::string got;
        const auto giveUp = std::chrono::steady_clock::now() + kGuard;
        while ((got.empty() || got.back() != '\x04') && std::chrono::steady_clock::now() < giveUp) {
            char buffer[64];
            const int n = ports_->read(id, buffer, sizeof buffer);
            got.append(buffer, static_cast<std::size_t>(std::max(n, 0)));
            EXPECT_FALSE(hasFlag(ports_->takeErrors(id), SerialError::RxOver));
        }
        EXPECT_EQ(got, tape(sent));
        ports_->close(id);
    }
}

TEST_F(VirtualMachineTest, LosesWhatOverflowsWithoutHandshakeAndSaysSo) {
    const std::string sent = program(3000);
    ports_->virtualMachine().setWorkBaud(kSlowWorkBaud);
    const int id = ports_->open(profile(115200, Handshake::NoHandshake));
    ASSERT_NE(id, 0);
    ports_->setTimeouts(id, 100, 100, 100, 10, 300);
    for (const char byte : sent) {
        EXPECT_EQ(ports_->write(id, &byte, 1), 1); // our side cannot tell
    }
    // A pause of many times what the full buffer takes to work off (85 ms):
    // the end byte then finds room, so the program is stored.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(ports_->write(id, "\x04", 1), 1);
    ports_->close(id);

    ASSERT_TRUE(log_.waitFor(text::kOverflowAlarm));
    ASSERT_TRUE(log_.waitForStart("Virtuelle Maschine: Programm O0042 gespeichert"));
    const std::string stored = ports_->virtualMachine().storedProgram().value_or("");
    EXPECT_LT(stored.size(), sent.size());
    // The buffer starts empty: the first 256 bytes always fit.
    EXPECT_EQ(stored.substr(0, 256), sent.substr(0, 256));
    EXPECT_TRUE(log_.waitFor(text::stored("O0042", stored.size(), sent.size() - stored.size())))
        << testing::PrintToString(log_.lines());
}

TEST_F(VirtualMachineTest, OurSideClosingMidPunchStopsItAndTheNextReceptionWorks) {
    const SerialSettings settings = profile(1200, Handshake::NoHandshake);
    const std::string partial = receiveAsJob(*ports_, settings, {0x04, false, 40});
    EXPECT_GE(partial.size(), 40U);
    EXPECT_EQ(partial, tape(sampleProgram()).substr(0, partial.size()));
    EXPECT_TRUE(log_.waitFor(text::kPunchBroken));
    EXPECT_FALSE(log_.has(text::kPunchDone));
    // The machine is ready again at once, and starts from the beginning.
    EXPECT_EQ(receiveAsJob(*ports_, settings, {0x04, false}), tape(sampleProgram()));

    // Going away with the port open in the middle of a punch ends the
    // machine's thread; a hang here fails by the test's timeout. The real
    // clock at 300 baud keeps the punch going for seconds, however slowly
    // the test runs.
    ports_ = std::make_unique<PortSelectingLine>(1.0);
    ports_->virtualMachine().setReport(log_.sink());
    const int id = ports_->open(profile(300, Handshake::NoHandshake));
    ASSERT_NE(id, 0);
    log_.clear();
    EXPECT_EQ(ports_->inputWaiting(id), 0);
    ASSERT_TRUE(log_.waitFor(text::punching("O1000", sampleProgram().size(), true)));
    ports_.reset();
    EXPECT_FALSE(log_.has(text::kPunchDone));
}

TEST_F(VirtualMachineTest, AnAbortedSendIsNotStored) {
    const SerialSettings settings = profile(9600, Handshake::NoHandshake);
    const int id = ports_->open(settings);
    ASSERT_NE(id, 0);
    ports_->setTimeouts(id, 100, 100, 100, 10, 300);
    const std::string head = "O5\nG0 X1\n";
    EXPECT_EQ(ports_->write(id, head.data(), static_cast<int>(head.size())),
              static_cast<int>(head.size()));
    ports_->close(id);
    EXPECT_TRUE(log_.waitFor(text::kReceptionBroken));
    EXPECT_FALSE(ports_->virtualMachine().storedProgram().has_value());
}

TEST_F(VirtualMachineTest, WithoutEndCharacterTheProgramIsStoredWhenThePortCloses) {
    ports_->virtualMachine().setEndCharacter(0);
    SendPlan plan{"O9\nM30\n", 5, 5, 0x00, false, 300};
    EXPECT_TRUE(sendAsJob(*ports_, profile(9600, Handshake::NoHandshake), plan).complete);
    EXPECT_TRUE(log_.waitFor(text::stored("O9", 7, 0)));
    EXPECT_EQ(ports_->virtualMachine().storedProgram(), "O9\nM30\n");
}

TEST_F(VirtualMachineTest, DsrFollowsDtrAndCtsFollowsRts) {
    const int id = ports_->open(profile(9600, Handshake::NoHandshake));
    ASSERT_NE(id, 0);
    const auto waitSignal = [&](SerialSignal s, int value) {
        const auto end = std::chrono::steady_clock::now() + kGuard;
        while (ports_->getSignal(id, s) != value) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return true;
    };
    EXPECT_TRUE(waitSignal(SerialSignal::Dsr, 1)); // DTR is up from the open
    EXPECT_EQ(ports_->getSignal(id, SerialSignal::Cts), 0);
    ports_->setSignal(id, SerialSignal::Rts, 1);
    EXPECT_TRUE(waitSignal(SerialSignal::Cts, 1));
    ports_->setSignal(id, SerialSignal::Dtr, 0);
    EXPECT_TRUE(waitSignal(SerialSignal::Dsr, 0));
    EXPECT_EQ(ports_->getSignal(id, SerialSignal::Cts), 1);
    ports_->setSignal(id, SerialSignal::Rts, 0);
    EXPECT_TRUE(waitSignal(SerialSignal::Cts, 0));
    ports_->close(id);
}

} // namespace
} // namespace drovane
