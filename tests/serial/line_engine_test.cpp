// The shared read and wait for input against a fake port and a fake clock:
// arrivals are scripted in line time, and each wait jumps the clock to the
// next thing that would wake the port.

#include "serial/line_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

namespace drovane {
namespace {

using std::chrono::milliseconds;

struct FakeClock {
    LineClock::time_point now() const { return current; }
    LineClock::time_point current{std::chrono::hours(2)};
};

struct Arrival {
    milliseconds at;
    std::string bytes; // empty: only flow characters, which wake but are no input
};

class FakePort {
public:
    explicit FakePort(FakeClock& clock) : clock_(clock), start_(clock.current) {}

    void arrive(milliseconds at, std::string bytes) { arrivals_.push_back({at, std::move(bytes)}); }
    void endAt(milliseconds at) { endAt_ = at; }
    void abortAt(milliseconds at) { abortAt_ = at; }

    void refresh() {
        ++refreshes;
        while (!arrivals_.empty() && start_ + arrivals_.front().at <= clock_.current) {
            queue_ += arrivals_.front().bytes;
            arrivals_.pop_front();
        }
        ended_ = endAt_ && start_ + *endAt_ <= clock_.current;
    }
    std::size_t take(unsigned char* target, std::size_t count) {
        const std::size_t n = std::min(count, queue_.size());
        std::copy_n(queue_.begin(), n, target);
        queue_.erase(0, n);
        return n;
    }
    std::size_t queued() const { return queue_.size(); }
    bool ended() const { return ended_; }
    bool reportDue() const { return ended_; }
    bool abortRaised() const { return abortAt_ && start_ + *abortAt_ <= clock_.current; }
    void waitForInput(std::optional<LineClock::time_point> until, bool abort) {
        ++waits;
        auto wake = until.value_or(LineClock::time_point::max());
        if (!arrivals_.empty()) {
            wake = std::min(wake, start_ + arrivals_.front().at);
        }
        if (endAt_) {
            wake = std::min(wake, start_ + *endAt_);
        }
        if (abort && abortAt_) {
            wake = std::min(wake, start_ + *abortAt_);
        }
        ASSERT_NE(wake, LineClock::time_point::max()) << "a wait nothing would end";
        clock_.current = std::max(clock_.current, wake);
    }

    milliseconds elapsed() const {
        return std::chrono::duration_cast<milliseconds>(clock_.current - start_);
    }
    int waits = 0;
    int refreshes = 0;

private:
    FakeClock& clock_;
    LineClock::time_point start_;
    std::deque<Arrival> arrivals_;
    std::optional<milliseconds> endAt_;
    std::optional<milliseconds> abortAt_;
    std::string queue_;
    bool ended_ = false;
};

class LineEngineTest : public testing::Test {
protected:
    std::string read(const SerialTimeouts& timeouts, std::size_t count) {
        std::string got(count, '\0');
        got.resize(readUnderTimeouts(port, clock, timeouts,
                                     reinterpret_cast<unsigned char*>(got.data()), count));
        return got;
    }

    FakeClock clock;
    FakePort port{clock};
};

struct ReadCase {
    const char* what;
    SerialTimeouts timeouts;
    std::string got;
    milliseconds returnsAt;
};

TEST_F(LineEngineTest, ReadsReturnAsTheirTimeoutsSay) {
    const ReadCase cases[] = {
        {"total timeout", {0, 100, 0, 0, 0}, "abcd", milliseconds(100)},
        {"total per byte", {0, 10, 10, 0, 0}, "abc", milliseconds(70)},
        {"interval restarted by each byte", {20, 0, 0, 0, 0}, "abc", milliseconds(50)},
        {"at once with what is there", {kMaxTimeout, 0, 0, 0, 0}, "", milliseconds(0)},
        {"on the first byte", {kMaxTimeout, 500, kMaxTimeout, 0, 0}, "a", milliseconds(5)},
    };
    for (const ReadCase& c : cases) {
        FakeClock caseClock;
        FakePort casePort(caseClock);
        casePort.arrive(milliseconds(5), "a");
        casePort.arrive(milliseconds(15), "b");
        casePort.arrive(milliseconds(30), "c");
        casePort.arrive(milliseconds(80), "d");
        std::string got(6, '\0');
        got.resize(readUnderTimeouts(casePort, caseClock, c.timeouts,
                                     reinterpret_cast<unsigned char*>(got.data()), 6));
        EXPECT_EQ(got, c.got) << c.what;
        EXPECT_EQ(casePort.elapsed(), c.returnsAt) << c.what;
    }
}

TEST_F(LineEngineTest, AReadOfAnEndedLineReturnsWhatCameBefore) {
    port.arrive(milliseconds(5), "ab");
    port.endAt(milliseconds(10));
    EXPECT_EQ(read({0, 0, 0, 0, 0}, 8), "ab");
    EXPECT_EQ(port.elapsed(), milliseconds(10));
}

TEST_F(LineEngineTest, AReadOfWhatIsQueuedAlreadyAsksTheSystemNothing) {
    port.arrive(milliseconds(0), "abc");
    ASSERT_TRUE(awaitInput(port, clock, milliseconds(10)));
    const int before = port.refreshes;
    EXPECT_EQ(read({kMaxTimeout, 0, 0, 0, 0}, 3), "abc");
    EXPECT_EQ(port.refreshes, before);
    EXPECT_EQ(read({kMaxTimeout, 0, 0, 0, 0}, 3), "") << "an empty queue is refreshed";
    EXPECT_EQ(port.refreshes, before + 1);
}

TEST_F(LineEngineTest, FlowCharactersDoNotEndAWaitForInput) {
    port.arrive(milliseconds(10), "");
    EXPECT_FALSE(awaitInput(port, clock, milliseconds(100)));
    EXPECT_EQ(port.elapsed(), milliseconds(100));
    EXPECT_EQ(port.waits, 2) << "woken once by the flow characters, then waited on";
}

TEST_F(LineEngineTest, AWaitForInputEndsWithInputAnEndOrAnAbort) {
    port.arrive(milliseconds(30), "x");
    EXPECT_TRUE(awaitInput(port, clock, milliseconds(1000)));
    EXPECT_EQ(port.elapsed(), milliseconds(30));
    EXPECT_EQ(read({kMaxTimeout, 0, 0, 0, 0}, 1), "x");

    port.abortAt(milliseconds(50));
    EXPECT_FALSE(awaitInput(port, clock, milliseconds(1000)));
    EXPECT_EQ(port.elapsed(), milliseconds(50));

    FakeClock endClock;
    FakePort ending(endClock);
    ending.endAt(milliseconds(40));
    EXPECT_TRUE(awaitInput(ending, endClock, milliseconds(1000)));
    EXPECT_EQ(ending.elapsed(), milliseconds(40));
}

// Takes `run` bytes a call while nothing holds it; XOFF from `xoffAt` to
// `xonAt`.
class FakeOutput {
public:
    enum class Hold : std::uint8_t { None, Xoff, Full };

    explicit FakeOutput(FakeClock& clock) : clock_(clock), start_(clock.current) {}

    void prepareOutput() {}
    Hold hold() const {
        const auto t = elapsed();
        return t >= xoffAt && t < xonAt ? Hold::Xoff : Hold::None;
    }
    std::size_t put(const unsigned char* data, std::size_t count, Hold& hold) {
        if (full) {
            hold = Hold::Full;
            return 0;
        }
        const std::size_t n = std::min(count, run);
        wire.append(reinterpret_cast<const char*>(data), n);
        ++calls;
        return n;
    }
    bool ended() const { return endAt && elapsed() >= *endAt; }
    bool abortRaised() const { return abortAt && elapsed() >= *abortAt; }
    void noteEnded() { ioError = true; }
    void giveUp(Hold hold) { heldAtEnd = hold; }
    void waitOut(Hold /*hold*/, std::optional<LineClock::time_point> deadline) {
        auto wake = deadline.value_or(LineClock::time_point::max());
        for (const auto at : {xonAt, abortAt.value_or(milliseconds::max())}) {
            if (at > elapsed() && at != milliseconds::max()) {
                wake = std::min(wake, start_ + at);
            }
        }
        ASSERT_NE(wake, LineClock::time_point::max()) << "a wait nothing would end";
        clock_.current = wake;
    }

    milliseconds elapsed() const {
        return std::chrono::duration_cast<milliseconds>(clock_.current - start_);
    }

    std::size_t run = 4;
    bool full = false;
    milliseconds xoffAt = milliseconds::max();
    milliseconds xonAt = milliseconds::max();
    std::optional<milliseconds> endAt;
    std::optional<milliseconds> abortAt;
    std::string wire;
    int calls = 0;
    bool ioError = false;
    std::optional<Hold> heldAtEnd;

private:
    FakeClock& clock_;
    LineClock::time_point start_;
};

class LineEngineWrite : public testing::Test {
protected:
    std::size_t write(std::string_view bytes, milliseconds timeout) {
        return writeUnderTimeouts(output, clock, clock.current + timeout,
                                  reinterpret_cast<const unsigned char*>(bytes.data()),
                                  bytes.size());
    }

    FakeClock clock;
    FakeOutput output{clock};
};

TEST_F(LineEngineWrite, GoesInRunsAsThePortTakesThem) {
    EXPECT_EQ(write("0123456789", milliseconds(100)), 10U);
    EXPECT_EQ(output.wire, "0123456789");
    EXPECT_EQ(output.calls, 3);
    EXPECT_FALSE(output.heldAtEnd);
}

TEST_F(LineEngineWrite, AHoldLastingPastTheDeadlineEndsWithWhatWentBefore) {
    output.xoffAt = milliseconds(0);
    EXPECT_EQ(write("abc", milliseconds(100)), 0U);
    EXPECT_EQ(output.elapsed(), milliseconds(100));
    EXPECT_EQ(output.heldAtEnd, FakeOutput::Hold::Xoff);

    output.xonAt = milliseconds(150);
    EXPECT_EQ(write("abc", milliseconds(100)), 3U) << "released before the deadline";
    EXPECT_EQ(output.elapsed(), milliseconds(150));
}

TEST_F(LineEngineWrite, AFullPortIsReportedAsItsHold) {
    output.full = true;
    EXPECT_EQ(write("abc", milliseconds(40)), 0U);
    EXPECT_EQ(output.heldAtEnd, FakeOutput::Hold::Full);
}

TEST_F(LineEngineWrite, AnAbortEndsAHeldWriteAtOnce) {
    output.xoffAt = milliseconds(0);
    output.abortAt = milliseconds(30);
    EXPECT_EQ(write("abc", milliseconds(1000)), 0U);
    EXPECT_EQ(output.elapsed(), milliseconds(30));
}

TEST_F(LineEngineWrite, AnEndedLineIsAnIoErrorAndTakesNothingMore) {
    output.endAt = milliseconds(0);
    EXPECT_EQ(write("abc", milliseconds(100)), 0U);
    EXPECT_TRUE(output.ioError);
    EXPECT_EQ(output.wire, "");
}

} // namespace
} // namespace drovane
