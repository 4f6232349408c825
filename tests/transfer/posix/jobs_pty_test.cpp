// Linux only: the termios line on a pseudo-terminal.
// Both jobs over a pseudo-terminal with the termios line, a scripted peer
// on the master side: the bytes on the wire, byte for byte.

#include "core/unique_fd.h"
#include "recording_console.h"
#include "serial/termios/termios_serial_line.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"
#include "transfer/transfer_job.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <string>
#include <unistd.h>

namespace drovane {
namespace {

using namespace std::string_literals;

class SavingTarget final : public ReceiveTarget {
public:
    OverwriteDecision checkSaveTarget() override { return OverwriteDecision::NoFileOrEmptyName; }
    void saveProgram(std::string_view text, OverwriteDecision /*decision*/) override {
        saved = text;
        ++saves;
    }
    std::string saved;
    int saves = 0;
};

// The termios line, whose close waits until the peer has read what it
// expects: closing flushes what a pseudo-terminal has not yet handed to the
// master side, which would cut the tail of a send short.
class GatedLine final : public SerialLine {
public:
    explicit GatedLine(SerialLine& inner) : inner_(inner) {}
    void releaseClose() {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        cv_.notify_all();
    }

    int open(const SerialSettings& s) override { return inner_.open(s); }
    OpenFailure lastOpenFailure() const override { return inner_.lastOpenFailure(); }
    void close(int id) override {
        std::unique_lock lock(mutex_);
        cv_.wait_for(lock, std::chrono::seconds(10), [this] { return released_; });
        inner_.close(id);
    }
    int drain(int id) override { return inner_.drain(id); }
    void watchAbort(const AbortRequest* abort) override { inner_.watchAbort(abort); }
    int applyTimeouts(int id, const SerialTimeouts& t) override {
        return inner_.applyTimeouts(id, t);
    }
    int setSignal(int id, SerialSignal s, int v) override { return inner_.setSignal(id, s, v); }
    int getSignal(int id, SerialSignal s) override { return inner_.getSignal(id, s); }
    int inputWaiting(int id) override { return inner_.inputWaiting(id); }
    bool waitForInput(int id, std::chrono::milliseconds limit) override {
        return inner_.waitForInput(id, limit);
    }
    int read(int id, void* b, int n) override { return inner_.read(id, b, n); }
    int write(int id, const void* d, int n) override { return inner_.write(id, d, n); }
    SerialError takeErrors(int id) override { return inner_.takeErrors(id); }

private:
    SerialLine& inner_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool released_ = false;
};

class JobsOnPty : public testing::Test {
protected:
    void SetUp() override {
        int master = -1;
        int slave = -1;
        ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        master_.reset(master);
        // Kept open so that nothing the peer writes is lost between opens.
        slave_.reset(slave);
        controls_.portCombo = ::ttyname(slave);
        controls_.fileNameField = "P1.nc";
        controls_.baudCombo = "115200";
        controls_.dataBitsCombo = "8";
        controls_.stopBitsCombo = "1";
        controls_.parityCombo = "NOPARITY";
        controls_.handshakeCombo = "NOHANDSHAKE";
        controls_.sendTimeoutField = "300";
        controls_.receiveTimeoutField = "300";
        controls_.endCharField = "04";
    }

    // Up to `count` bytes; stops early after `quiet` without a byte.
    std::string readPeer(std::size_t count, int quietMs = 2000) const {
        std::string got;
        char chunk[4096];
        while (got.size() < count) {
            pollfd entry{master_.get(), POLLIN, 0};
            if (::poll(&entry, 1, quietMs) <= 0) {
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

    void writePeer(const std::string& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_.get(), bytes.data() + done, bytes.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<std::size_t>(n);
        }
    }

    UniqueFd master_;
    UniqueFd slave_;
    SettingsSnapshot controls_;
    TermiosSerialLine termios_;
    GatedLine line_{termios_};
    RecordingConsole console_;
    AbortRequest abort_;
    TransferLock lock_;
    LiveControls live_;
    JobContext context_{line_, console_, abort_, lock_, live_};
};

TEST_F(JobsOnPty, SendPutsLeaderTextTrailerAndEndByteOnTheWire) {
    controls_.leaderCountField = "10";
    controls_.trailerCountField = "10";
    controls_.percentFilterCombo = "Ja";
    TransferJob job(abort_);
    ASSERT_TRUE(
        job.start([&] { SendJob(context_, controls_, "%\nO0001\nG0 X0\nM30\n%\n").run(); }));
    EXPECT_EQ(readPeer(39),
              std::string(10, '\0') + "\nO0001\nG0 X0\nM30\n\n" + std::string(10, '\0') + "\x04");
    line_.releaseClose();
    job.wait();
    EXPECT_EQ(console_.count("log Übertragung beendet. 18 Bytes gesendet."), 1U);
}

TEST_F(JobsOnPty, ReceptionOfEveryByteValueReachesTheSaveUnchanged) {
    std::string program;
    for (int value = 1; value < 256; ++value) {
        if (value != 0x04) {
            program.push_back(static_cast<char>(value));
        }
    }
    program += "\r\nN10 G0\nM30\r\n";
    SavingTarget target;
    line_.releaseClose();
    TransferJob job(abort_);
    ASSERT_TRUE(job.start([&] { ReceiveJob(context_, controls_, target).run(); }));
    ASSERT_TRUE(console_.waitFor("progress 0")); // reading
    writePeer(std::string(20, '\0') + program + "\x04" + std::string(20, '\0'));
    job.wait();
    EXPECT_EQ(target.saves, 1);
    EXPECT_EQ(target.saved, program);
    EXPECT_EQ(console_.count("log " + std::to_string(program.size()) + " Bytes empfangen."), 1U);
}

TEST_F(JobsOnPty, PeerHangingUpEndsTheReceptionWithTheIoErrorAndKeepsTheText) {
    SavingTarget target;
    line_.releaseClose();
    TransferJob job(abort_);
    ASSERT_TRUE(job.start([&] { ReceiveJob(context_, controls_, target).run(); }));
    ASSERT_TRUE(console_.waitFor("progress 0")); // reading
    writePeer("O1\nG1\n");
    ASSERT_TRUE(console_.waitFor("last 6 Bytes empfangen."));
    master_.reset();
    ASSERT_TRUE(console_.waitFor("log Übertragung vorzeitig abgebrochen.")) << "still waiting";
    job.wait();
    EXPECT_EQ(console_.count("log Übertragungsfehler !!! #PB_SerialPort_IOE"), 1U);
    EXPECT_EQ(target.saves, 0);
    EXPECT_EQ(console_.editorText(), "O1\nG1\n");
    EXPECT_EQ(console_.programText(), "O1\nG1\n");
}

TEST_F(JobsOnPty, XoffFromThePeerHoldsTheSendUntilXon) {
    controls_.handshakeCombo = "XON/XOFF";
    std::string program;
    for (int i = 0; program.size() < 20000; ++i) {
        program += "N" + std::to_string(i) + " G1 X" + std::to_string(i % 97) + "\n";
    }
    TransferJob job(abort_);
    ASSERT_TRUE(job.start([&] { SendJob(context_, controls_, program).run(); }));
    std::string wire = readPeer(1000);
    ASSERT_EQ(wire.size(), 1000U);
    writePeer("\x13");
    ASSERT_TRUE(console_.waitFor("log Übertragung wird unterbrochen...(XOFF erhalten)"));
    // What was on its way when the XOFF came; then the line stays quiet.
    wire += readPeer(program.size(), 200);
    EXPECT_LT(wire.size(), program.size());
    EXPECT_EQ(readPeer(program.size(), 500), "");
    writePeer("\x11");
    wire += readPeer(program.size() + 1 - wire.size());
    line_.releaseClose();
    job.wait();
    EXPECT_EQ(wire, program + "\x04");
    EXPECT_EQ(console_.count("log Übertragung wird unterbrochen...(XOFF erhalten)"), 1U);
    // One after the first byte, one after the hold.
    EXPECT_EQ(console_.count("log Übertragung wird fortgesetzt...(XON erhalten)"), 2U);
}

TEST_F(JobsOnPty, APortThatGoesAwayMidSendEndsTheSendWithAnIoError) {
    std::string program;
    for (int i = 0; program.size() < 200000; ++i) {
        program += "N" + std::to_string(i) + " G1 X" + std::to_string(i % 97) + "\n";
    }
    line_.releaseClose();
    TransferJob job(abort_);
    ASSERT_TRUE(job.start([&] { SendJob(context_, controls_, program).run(); }));
    ASSERT_EQ(readPeer(1000).size(), 1000U);
    master_.reset(); // the adapter is pulled
    const bool ended = console_.waitFor("log Übertragung vorzeitig abgebrochen.");
    abort_.raise(); // ends a job that retries for ever
    job.wait();
    EXPECT_TRUE(ended);
    EXPECT_EQ(console_.count("log Übertragungsfehler !!! #PB_SerialPort_IOE"), 1U);
    EXPECT_EQ(console_.count("log Zeichen wird in 1 Sekunde erneut gesendet..."), 0U);
    EXPECT_EQ(console_.count("log Übertragung beendet. " + std::to_string(program.size()) +
                             " Bytes gesendet."),
              0U);
}

} // namespace
} // namespace drovane
