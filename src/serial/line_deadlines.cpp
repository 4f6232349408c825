#include "serial/line_deadlines.h"

#include <algorithm>

namespace drovane {

namespace {

constexpr std::uint64_t kLongestWaitMs = 31ULL * 24 * 3600 * 1000;

std::uint64_t totalMs(std::uint32_t multiplier, std::uint32_t constant, std::size_t count) {
    const std::uint64_t perByte = multiplier;
    const std::uint64_t bytes = std::min<std::uint64_t>(count, kLongestWaitMs);
    return std::min(perByte * bytes + constant, kLongestWaitMs);
}

} // namespace

LineClock::duration lineDuration(std::uint64_t milliseconds, double clockSpeed) {
    const auto ms = static_cast<double>(std::min(milliseconds, kLongestWaitMs));
    const double speed = clockSpeed > 0.0 ? clockSpeed : 1.0;
    return std::chrono::duration_cast<LineClock::duration>(
        std::chrono::duration<double, std::milli>(ms / speed));
}

std::optional<LineClock::time_point> writeDeadline(const SerialTimeouts& timeouts,
                                                   std::size_t count, LineClock::time_point start,
                                                   double clockSpeed) {
    if (timeouts.writeTotalMultiplier == 0 && timeouts.writeTotalConstant == 0) {
        return std::nullopt;
    }
    return start +
           lineDuration(totalMs(timeouts.writeTotalMultiplier, timeouts.writeTotalConstant, count),
                        clockSpeed);
}

ReadTimer::ReadTimer(const SerialTimeouts& timeouts, std::size_t requested,
                     LineClock::time_point start, double clockSpeed)
    : requested_(requested), lastArrival_(start) {
    const bool maxInterval = timeouts.readInterval == kMaxTimeout;
    if (maxInterval && timeouts.readTotalMultiplier == 0 && timeouts.readTotalConstant == 0) {
        returnAtOnce_ = true;
        return;
    }
    if (maxInterval && timeouts.readTotalMultiplier == kMaxTimeout &&
        timeouts.readTotalConstant != 0 && timeouts.readTotalConstant != kMaxTimeout) {
        returnOnAnyByte_ = true;
        total_ = start + lineDuration(timeouts.readTotalConstant, clockSpeed);
        return;
    }
    if (timeouts.readTotalMultiplier != 0 || timeouts.readTotalConstant != 0) {
        total_ = start + lineDuration(totalMs(timeouts.readTotalMultiplier,
                                              timeouts.readTotalConstant, requested),
                                      clockSpeed);
    }
    if (timeouts.readInterval != 0) {
        interval_ = lineDuration(timeouts.readInterval, clockSpeed);
    }
}

bool ReadTimer::finished(std::size_t got) const {
    return got >= requested_ || returnAtOnce_ || (returnOnAnyByte_ && got > 0);
}

std::optional<LineClock::time_point> ReadTimer::deadline(std::size_t got) const {
    // The interval timer only runs once the first byte has come.
    if (got == 0 || !interval_) {
        return total_;
    }
    const auto gap = lastArrival_ + *interval_;
    return total_ ? std::min(*total_, gap) : gap;
}

} // namespace drovane
