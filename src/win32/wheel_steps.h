#pragma once

// Turns wheel deltas into lines to scroll. A touchpad sends many small
// deltas; they add up until they make a line, instead of each being lost.

#include <windows.h>

namespace drovane {

class WheelSteps {
public:
    static constexpr int LinesPerNotch = 3;

    // Lines to scroll down (negative: up) for this delta and those before.
    int linesFor(int delta) {
        // A turn the other way starts afresh.
        if ((delta > 0 && pending_ < 0) || (delta < 0 && pending_ > 0)) {
            pending_ = 0;
        }
        pending_ += delta;
        const int lines = pending_ * LinesPerNotch / WHEEL_DELTA;
        pending_ -= lines * WHEEL_DELTA / LinesPerNotch;
        return -lines;
    }

private:
    int pending_ = 0;
};

} // namespace drovane
