#include "serial/write_runs.h"

#include <algorithm>
#include <limits>

namespace drovane {

namespace {

using std::chrono::nanoseconds;

// Few enough to stop at once on an XOFF, enough for a run of a dozen bytes.
constexpr std::size_t kFewestBound = 16;
// Above that a run spans at least this much line time, so that the wake-ups
// stay near a thousand a second at high rates too.
constexpr nanoseconds kRunTime{1'000'000};
// The line must not run dry while we are woken: this much line time is left
// in the queue when the next run goes.
constexpr nanoseconds kWakeSlack{500'000};
constexpr nanoseconds kShortestPause{100'000};
// A full kernel queue holds kilobytes (4096 bytes are 44 ms at 921600 baud).
constexpr std::int64_t kRoomAfterFull = 512;
constexpr nanoseconds kLongestFullPause{50'000'000};

} // namespace

RunLimits runLimits(std::int64_t characterNs) {
    const std::int64_t character = std::max<std::int64_t>(characterNs, 1);
    const auto inRunTime = static_cast<std::size_t>(kRunTime.count() / character);
    const std::size_t bound = std::max(kFewestBound, inRunTime);
    const auto inSlack = static_cast<std::size_t>(kWakeSlack.count() / character);
    return {bound, std::clamp<std::size_t>(inSlack, 1, bound / 4), character};
}

RunLimits unboundedRuns(std::int64_t characterNs) {
    RunLimits limits = runLimits(characterNs);
    limits.bound = std::numeric_limits<std::size_t>::max();
    return limits;
}

std::size_t runLength(const RunLimits& limits, std::size_t queued, std::size_t pending) {
    return queued >= limits.bound ? 0 : std::min(pending, limits.bound - queued);
}

LineClock::duration pauseForRoom(const RunLimits& limits, std::size_t queued) {
    const std::size_t excess = queued > limits.lowMark ? queued - limits.lowMark : 0;
    return std::max(nanoseconds(static_cast<std::int64_t>(excess) * limits.characterNs),
                    kShortestPause);
}

LineClock::duration pauseWhenFull(const RunLimits& limits) {
    return std::clamp(nanoseconds(kRoomAfterFull * limits.characterNs), kShortestPause,
                      kLongestFullPause);
}

} // namespace drovane
