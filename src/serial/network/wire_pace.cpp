#include "serial/network/wire_pace.h"

#include <algorithm>

namespace drovane {

WirePace::WirePace(LineClock::duration characterTime, LineClock::time_point now)
    : characterTime_(std::max(LineClock::duration(1), characterTime)),
      lead_(std::max<LineClock::duration>(kLeadWindow, 2 * characterTime_)), freeAt_(now) {}

std::size_t WirePace::room(LineClock::time_point now) const {
    const auto queued = std::max(LineClock::duration::zero(), freeAt_ - now);
    return static_cast<std::size_t>(std::max(LineClock::duration::zero(), lead_ - queued) /
                                    characterTime_) +
           1;
}

void WirePace::handedOver(std::size_t count, LineClock::time_point now) {
    freeAt_ =
        std::max(freeAt_, now) + static_cast<LineClock::duration::rep>(count) * characterTime_;
}

LineClock::time_point WirePace::roomFor(std::size_t count) const {
    return freeAt_ - lead_ + static_cast<LineClock::duration::rep>(count) * characterTime_;
}

std::size_t WirePace::onTheWire(LineClock::time_point now) const {
    return freeAt_ > now ? static_cast<std::size_t>((freeAt_ - now) / characterTime_) : 0;
}

std::size_t WirePace::bytesIn(LineClock::duration window, std::size_t most) const {
    return std::clamp<std::size_t>(static_cast<std::size_t>(window / characterTime_), 1, most);
}

} // namespace drovane
