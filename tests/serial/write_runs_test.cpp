// The run policy against a simulated UART.

#include "simulated_uart.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

struct RunCase {
    std::int32_t baud;
    std::int64_t lateNs;
    std::size_t mostAfterXoff;
    double mostCallsPerSecond;
    double leastBusy;
};

class WriteRunsTest : public testing::TestWithParam<RunCase> {};

TEST_P(WriteRunsTest, StopsSoonAfterXoffWithFewCallsAndKeepsTheLineBusy) {
    const RunCase c = GetParam();
    const Outcome outcome = simulate(c.baud, c.lateNs, 200'000);
    EXPECT_LE(outcome.mostAfterXoff, c.mostAfterXoff);
    EXPECT_GT(outcome.mostAfterXoff, 0U) << "no XOFF point fell on a filled queue";
    EXPECT_LE(outcome.callsPerSecond, c.mostCallsPerSecond);
    EXPECT_GE(outcome.lineBusy, c.leastBusy);
}

// A late wake-up costs line time once it is later than the low mark lasts.
INSTANTIATE_TEST_SUITE_P(Rates, WriteRunsTest,
                         testing::Values(RunCase{9'600, 0, 16, 100, 0.999},
                                         RunCase{115'200, 0, 16, 1'000, 0.999},
                                         RunCase{115'200, 200'000, 16, 1'000, 0.999},
                                         RunCase{115'200, 2'000'000, 16, 1'000, 0.3},
                                         RunCase{921'600, 0, 92, 1'500, 0.999},
                                         RunCase{4'000'000, 100'000, 400, 1'500, 0.999}));

TEST(WriteRuns, AFullQueueTakesNothingAndWaitsForItsLowMark) {
    const RunLimits limits = runLimits(86'805); // 115200 baud
    EXPECT_EQ(runLength(limits, limits.bound, 100), 0U);
    EXPECT_EQ(runLength(limits, limits.bound + 5, 100), 0U);
    EXPECT_EQ(runLength(limits, 0, 3), 3U);
    EXPECT_EQ(pauseForRoom(limits, limits.bound),
              std::chrono::nanoseconds(86'805 * (limits.bound - limits.lowMark)));
    EXPECT_GT(pauseForRoom(limits, 0), LineClock::duration::zero()) << "never a busy loop";
}

TEST(WriteRuns, APortWithoutLineRateTakesWholeRunsAndAFullOneWaitsForManyBytes) {
    EXPECT_EQ(runLength(unboundedRuns(86'805), 100'000, 5'000), 5'000U);
    // At 115200, 300 and 921600 baud: no busy loop, far less than the kernel's 4 KB.
    for (const std::int64_t characterNs : {86'805, 33'333'333, 10'850}) {
        const auto pause = pauseWhenFull(runLimits(characterNs));
        EXPECT_GE(pause, std::chrono::microseconds(100)) << characterNs;
        EXPECT_LE(pause, std::chrono::nanoseconds(characterNs * 1024)) << characterNs;
    }
}

} // namespace
} // namespace drovane
