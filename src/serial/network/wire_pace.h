#pragma once

// The device server's serial side, modelled at the profile's rate: when it
// would have sent everything handed over so far. Keeping at most a short
// lead ahead of it leaves little in flight on an abort or a hold, and lets
// a drain wait about as long as a local port would.

#include "serial/line_deadlines.h"

#include <cstddef>

namespace drovane {

class WirePace {
public:
    static constexpr std::chrono::milliseconds kLeadWindow{50};

    WirePace(LineClock::duration characterTime, LineClock::time_point now);

    // More than the lead is on its way.
    bool ahead(LineClock::time_point now) const { return freeAt_ - now > lead_; }
    // Bytes that may be handed over now, at least one.
    std::size_t room(LineClock::time_point now) const;
    void handedOver(std::size_t count, LineClock::time_point now);
    // When `count` more bytes fit under the lead.
    LineClock::time_point roomFor(std::size_t count) const;
    // Bytes the serial side is still sending.
    std::size_t onTheWire(LineClock::time_point now) const;
    // The bytes the line carries in `window`, between 1 and `most`.
    std::size_t bytesIn(LineClock::duration window, std::size_t most) const;
    LineClock::duration characterTime() const { return characterTime_; }

private:
    LineClock::duration characterTime_;
    LineClock::duration lead_;
    LineClock::time_point freeAt_;
};

} // namespace drovane
