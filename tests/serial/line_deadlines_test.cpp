#include "serial/line_deadlines.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

using std::chrono::milliseconds;

const LineClock::time_point kStart{milliseconds(1'000'000)};

SerialTimeouts readTimeouts(std::uint32_t interval, std::uint32_t constant,
                            std::uint32_t multiplier) {
    SerialTimeouts t;
    t.readInterval = interval;
    t.readTotalConstant = constant;
    t.readTotalMultiplier = multiplier;
    return t;
}

TEST(ReadTimer, TotalTimeoutIsMultiplierTimesCountPlusConstant) {
    const ReadTimer timer(readTimeouts(0, 100, 10), 5, kStart);
    EXPECT_FALSE(timer.finished(4));
    EXPECT_TRUE(timer.finished(5));
    EXPECT_EQ(timer.deadline(0), kStart + milliseconds(150));
    EXPECT_EQ(timer.deadline(3), kStart + milliseconds(150));
}

TEST(ReadTimer, IntervalRunsFromTheLastByteOnceOneHasCome) {
    ReadTimer timer(readTimeouts(50, 0, 0), 10, kStart);
    EXPECT_FALSE(timer.deadline(0)); // no total: waits for the first byte
    timer.bytesArrived(kStart + milliseconds(500));
    EXPECT_EQ(timer.deadline(2), kStart + milliseconds(550));

    ReadTimer both(readTimeouts(50, 520, 0), 10, kStart);
    both.bytesArrived(kStart + milliseconds(500));
    EXPECT_EQ(both.deadline(2), kStart + milliseconds(520)); // the earlier of the two
}

TEST(ReadTimer, WindowsSpecialModes) {
    // MAXDWORD interval, no totals: return at once with what is there.
    const ReadTimer atOnce(readTimeouts(kMaxTimeout, 0, 0), 10, kStart);
    EXPECT_TRUE(atOnce.finished(0));
    // MAXDWORD interval and multiplier, a constant: wait for any byte.
    const ReadTimer anyByte(readTimeouts(kMaxTimeout, 300, kMaxTimeout), 10, kStart);
    EXPECT_FALSE(anyByte.finished(0));
    EXPECT_TRUE(anyByte.finished(1));
    EXPECT_EQ(anyByte.deadline(0), kStart + milliseconds(300));
    // All zero: blocks until all bytes are there.
    const ReadTimer forever(readTimeouts(0, 0, 0), 10, kStart);
    EXPECT_FALSE(forever.finished(9));
    EXPECT_FALSE(forever.deadline(9));
}

TEST(WriteDeadline, FollowsTheTotalTimeoutsAndTheClockSpeed) {
    SerialTimeouts t;
    t.writeTotalConstant = 10;
    t.writeTotalMultiplier = 300;
    EXPECT_EQ(writeDeadline(t, 1, kStart), kStart + milliseconds(310));
    EXPECT_EQ(writeDeadline(t, 3, kStart), kStart + milliseconds(910));
    EXPECT_EQ(writeDeadline(t, 1, kStart, 10.0), kStart + milliseconds(31));
    t.writeTotalConstant = 0;
    t.writeTotalMultiplier = 0;
    EXPECT_FALSE(writeDeadline(t, 1, kStart));
}

TEST(WriteDeadline, HugeTimeoutsDoNotOverflow) {
    SerialTimeouts t;
    t.writeTotalConstant = kMaxTimeout;
    t.writeTotalMultiplier = kMaxTimeout;
    const auto deadline = writeDeadline(t, 1U << 30U, LineClock::now());
    ASSERT_TRUE(deadline);
    EXPECT_GT(*deadline, LineClock::now() + std::chrono::hours(24));
}

} // namespace
} // namespace drovane
