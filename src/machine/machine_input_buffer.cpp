#include "machine/machine_input_buffer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace drovane {

namespace {

double positiveRate(double bytesPerSecond) {
    return bytesPerSecond > 0.0 ? bytesPerSecond : 1.0;
}

} // namespace

MachineInputBuffer::MachineInputBuffer(std::size_t capacity, double bytesPerSecond)
    : capacity_(capacity), rate_(positiveRate(bytesPerSecond)) {}

void MachineInputBuffer::reset(LineClock::time_point now, double bytesPerSecond) {
    rate_ = positiveRate(bytesPerSecond);
    level_ = 0.0;
    at_ = now;
}

bool MachineInputBuffer::accept(LineClock::time_point when) {
    const auto at = std::max(when, at_);
    level_ = level(at);
    at_ = at;
    // A byte only partly worked off still takes its place.
    if (std::ceil(level_) >= static_cast<double>(capacity_)) {
        return false;
    }
    level_ += 1.0;
    return true;
}

double MachineInputBuffer::level(LineClock::time_point when) const {
    const std::chrono::duration<double> elapsed = std::max(when, at_) - at_;
    return std::max(0.0, level_ - elapsed.count() * rate_);
}

LineClock::time_point MachineInputBuffer::fallsTo(double level) const {
    if (level_ <= level) {
        return at_;
    }
    return at_ + std::chrono::ceil<LineClock::duration>(
                     std::chrono::duration<double>((level_ - level) / rate_));
}

} // namespace drovane
