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

} // namespace
} // namespace drovane
