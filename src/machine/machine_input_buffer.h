#pragma once

// A control's input buffer: bytes come in at line speed and are worked off
// at the machine's own steady pace. Only the fill level is kept; the bytes
// themselves go to the program in the order they came.

#include "serial/line_deadlines.h"

#include <cstddef>

namespace drovane {

class MachineInputBuffer {
public:
    // `bytesPerSecond` in real time.
    MachineInputBuffer(std::size_t capacity, double bytesPerSecond);

    void reset(LineClock::time_point now, double bytesPerSecond);
    // A byte arrives; false when the buffer is full and the byte is lost.
    bool accept(LineClock::time_point when);
    // Bytes in the buffer at `when` (no earlier than the last arrival), the
    // one being worked on counted in part.
    double level(LineClock::time_point when) const;
    // When the level falls to `level` if nothing more arrives.
    LineClock::time_point fallsTo(double level) const;
    std::size_t capacity() const { return capacity_; }

private:
    std::size_t capacity_;
    double rate_;
    double level_ = 0.0;
    LineClock::time_point at_{};
};

} // namespace drovane
