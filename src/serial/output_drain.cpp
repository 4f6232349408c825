#include "serial/output_drain.h"

#include <algorithm>

namespace drovane {

namespace {

using std::chrono::nanoseconds;

// Short enough that an abort is seen within the time it is seen elsewhere.
constexpr nanoseconds kLongestLook{5'000'000};
constexpr nanoseconds kShortestLook{1'000'000};

} // namespace

std::size_t drainOutput(const DrainSteps& steps, const SerialTimeouts& timeouts,
                        std::int64_t characterNs) {
    std::optional<std::size_t> queued = steps.queued();
    if (!queued) {
        return 0;
    }
    std::size_t left = *queued;
    auto deadline = writeDeadline(timeouts, left, steps.now());
    while (left > 0) {
        const auto now = steps.now();
        if (steps.stopped() || (deadline && now >= *deadline)) {
            return left;
        }
        const auto look = std::clamp(nanoseconds(static_cast<std::int64_t>(left) * characterNs),
                                     kShortestLook, kLongestLook);
        steps.pause(deadline ? std::min(*deadline, now + look) : now + look);
        queued = steps.queued();
        if (!queued) {
            return left;
        }
        if (*queued < left) {
            deadline = writeDeadline(timeouts, *queued, steps.now());
        }
        left = *queued;
    }
    return 0;
}

} // namespace drovane
