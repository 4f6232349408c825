// The run policy against a simulated UART: a queue that drains one character
// per character time, a writer that wakes `late` after each pause, and XOFFs
// at random points. What goes out after an XOFF is what the queue held.

#include "serial/write_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace drovane {
namespace {

struct SimulatedUart {
    explicit SimulatedUart(std::int64_t characterNs) : character(characterNs) {}

    void advance(std::int64_t to) {
        while (queued > 0 && headDoneAt <= to) {
            --queued;
            headDoneAt += character;
        }
        now = to;
    }
    void put(std::size_t count) {
        if (queued == 0) {
            headDoneAt = now + character;
        }
        queued += count;
    }

    std::int64_t character;
    std::int64_t now = 0;
    std::int64_t headDoneAt = 0;
    std::size_t queued = 0;
};

struct Outcome {
    double callsPerSecond = 0;
    double lineBusy = 0;
    std::size_t mostAfterXoff = 0;
};

// Sends `total` bytes; the queue's fill at each XOFF point is what the line
// would still send after it.
Outcome simulate(std::int32_t baud, std::int64_t lateNs, std::size_t total) {
    const std::int64_t character = 10'000'000'000LL / baud;
    const RunLimits limits = runLimits(character);
    SimulatedUart uart(character);
    std::mt19937 random(baud);
    std::uniform_int_distribution<std::int64_t> gap(0, 40 * character);
    std::int64_t nextXoff = gap(random);
    Outcome outcome;
    std::size_t sent = 0;
    std::int64_t calls = 0;
    while (sent < total) {
        const std::size_t run = runLength(limits, uart.queued, total - sent);
        if (run > 0) {
            uart.put(run);
            sent += run;
            ++calls;
        }
        const auto pause =
            std::chrono::duration_cast<std::chrono::nanoseconds>(pauseForRoom(limits, uart.queued))
                .count();
        const std::int64_t wake = uart.now + pause + lateNs;
        for (; nextXoff < wake; nextXoff += gap(random)) {
            uart.advance(std::max(nextXoff, uart.now));
            outcome.mostAfterXoff = std::max(outcome.mostAfterXoff, uart.queued);
        }
        uart.advance(wake);
    }
    uart.advance(uart.now + static_cast<std::int64_t>(uart.queued) * character);
    const double seconds = static_cast<double>(uart.now) * 1e-9;
    outcome.callsPerSecond = static_cast<double>(calls) / seconds;
    outcome.lineBusy =
        static_cast<double>(total) * static_cast<double>(character) / static_cast<double>(uart.now);
    return outcome;
}

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

} // namespace
} // namespace drovane
