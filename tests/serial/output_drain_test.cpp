// The wait for a port's output queue before close, on a simulated queue and
// clock: how long it waits, and what it reports as lost.

#include "serial/output_drain.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace drovane {
namespace {

using std::chrono::milliseconds;

// A queue that sends one byte every `perByte` (never, for zero) until
// `heldAt` bytes are left, on a clock that moves only when the drain pauses.
struct SimulatedQueue {
    std::size_t initial;
    milliseconds perByte;
    std::size_t heldAt;
    milliseconds stopAt;
    LineClock::time_point start{std::chrono::hours(1)};
    LineClock::time_point clock = start;

    std::size_t queued() const {
        if (perByte.count() == 0) {
            return initial;
        }
        const auto sent = static_cast<std::size_t>((clock - start) / perByte);
        return sent >= initial - heldAt ? heldAt : initial - sent;
    }
    milliseconds elapsed() const { return std::chrono::duration_cast<milliseconds>(clock - start); }
    DrainSteps steps() {
        return DrainSteps{
            [this] { return std::optional<std::size_t>(queued()); },
            [this](LineClock::time_point until) { clock = std::max(clock, until); },
            [this] { return clock; },
            [this] { return stopAt.count() >= 0 && elapsed() >= stopAt; },
        };
    }
};

struct DrainCase {
    std::string name;
    std::size_t queued;
    milliseconds perByte;
    std::size_t heldAt;
    SerialTimeouts timeouts;
    milliseconds stopAt;
    std::size_t left;
    milliseconds endsAfterAtLeast;
    milliseconds endsBefore;
};

TEST(DrainOutput, WaitsAsLongAsTheWriteTimeoutsAllowAndReportsWhatIsLeft) {
    const SerialTimeouts send300{100, 100, 100, 10, 300};
    const std::vector<DrainCase> cases{
        {"an empty queue does not wait", 0, milliseconds(0), 0, send300, milliseconds(-1), 0,
         milliseconds(0), milliseconds(1)},
        // A control working off its buffer: a byte every 200 ms is far from
        // a stall for a 300 ms timeout.
        {"slow progress is waited for", 5, milliseconds(200), 0, send300, milliseconds(-1), 0,
         milliseconds(1000), milliseconds(1100)},
        {"a queue that never moves is given up after its timeout", 4, milliseconds(0), 4, send300,
         milliseconds(-1), 4, milliseconds(1210), milliseconds(1300)},
        // Two bytes go within 400 ms, then the line holds the other two.
        {"progress renews the timeout for what is left", 4, milliseconds(200), 2, send300,
         milliseconds(-1), 2, milliseconds(400 + 610), milliseconds(400 + 700)},
        {"an abort ends the wait within a few milliseconds", 4, milliseconds(0), 4, send300,
         milliseconds(50), 4, milliseconds(50), milliseconds(60)},
        {"no write timeout waits until the abort", 3, milliseconds(0), 3,
         SerialTimeouts{0, 0, 0, 0, 0}, milliseconds(60'000), 3, milliseconds(60'000),
         milliseconds(60'010)},
    };
    for (const DrainCase& c : cases) {
        SimulatedQueue queue{c.queued, c.perByte, c.heldAt, c.stopAt};
        EXPECT_EQ(drainOutput(queue.steps(), c.timeouts, 87'000), c.left) << c.name;
        EXPECT_GE(queue.elapsed(), c.endsAfterAtLeast) << c.name;
        EXPECT_LT(queue.elapsed(), c.endsBefore) << c.name;
    }
}

} // namespace
} // namespace drovane
