#include "serial/virtual/virtual_cable.h"

#include "serial/character_frame.h"

#include <algorithm>

namespace drovane {

namespace {

// A far end that waits for bytes wakes once for the bytes of this much real
// time, not for each of them.
constexpr auto kArrivalStep = std::chrono::milliseconds(1);

} // namespace

void VirtualCable::settle(LineClock::time_point now) {
    bool arrived = false;
    while (!inFlight.empty() && inFlight.front().second <= now) {
        const auto [byte, when] = inFlight.front();
        inFlight.pop_front();
        deliverToFarEnd(byte, when);
        arrived = true;
    }
    if (arrived) {
        changed.notify_all();
    }
}

std::optional<LineClock::time_point> VirtualCable::nextArrival() const {
    if (inFlight.empty()) {
        return std::nullopt;
    }
    return std::min(inFlight.back().second, inFlight.front().second + kArrivalStep);
}

std::optional<LineClock::time_point> VirtualCable::inFlightFallsTo(std::size_t left) const {
    if (inFlight.size() <= left) {
        return std::nullopt;
    }
    return inFlight[inFlight.size() - left - 1].second;
}

void VirtualCable::waitForChange(std::unique_lock<std::mutex>& lock,
                                 std::optional<LineClock::time_point> until) {
    waitForNews(lock, earlier(until, nextArrival()));
}

void VirtualCable::waitForNews(std::unique_lock<std::mutex>& lock,
                               std::optional<LineClock::time_point> until) {
    if (until) {
        changed.wait_until(lock, *until);
    } else {
        changed.wait(lock);
    }
    settle(LineClock::now());
}

void VirtualCable::record(LineEvent::Kind kind, int value) {
    if (keepHistory) {
        events.push_back(LineEvent{kind, value});
    }
}

void VirtualCable::deliverToFarEnd(unsigned char byte, LineClock::time_point when) {
    if (keepHistory) {
        received.push_back(static_cast<char>(byte));
    }
    record(LineEvent::Kind::ToFarEnd, byte);
    if (onArrival) {
        onArrival(byte, when);
        changed.notify_all();
    }
}

void VirtualCable::setNearLine(bool& line, LineEvent::Kind kind, bool on) {
    if (line != on) {
        line = on;
        record(kind, on ? 1 : 0);
        changed.notify_all();
    }
}

void VirtualCable::setFarLine(bool& line, LineEvent::Kind kind, bool on) {
    setNearLine(line, kind, on);
}

void VirtualCable::sendToFarEnd(unsigned char byte, LineClock::time_point now) {
    if (consumptionBaud == 0) {
        deliverToFarEnd(byte, now);
    } else {
        const std::int32_t baud = consumptionBaud > 0 ? consumptionBaud : settings.baudRate;
        wireFreeAt = std::max(now, wireFreeAt) + characterTime(settings, baud, clockSpeed);
        inFlight.emplace_back(byte, wireFreeAt);
    }
}

void VirtualCable::sendFromFarEnd(unsigned char byte) {
    record(LineEvent::Kind::FromFarEnd, byte);
    if (nearOpen() && connected) {
        input->accept(&byte, 1);
        inputChanged();
    }
    changed.notify_all();
}

void VirtualCable::inputChanged() {
    if (const auto due = input->flowCharacterDue()) {
        // Flow characters go ahead of queued data, as a UART driver sends them.
        input->flowCharacterSent(*due);
        deliverToFarEnd(*due, LineClock::now());
    }
    if (settings.handshake == Handshake::RtsCts) {
        // The Windows driver's rule: RTS drops above three quarters, returns
        // below one half.
        const std::size_t level = input->size();
        const std::size_t capacity = input->capacity();
        if (level * 4 > capacity * 3) {
            setNearLine(rts, LineEvent::Kind::Rts, false);
        } else if (level * 2 < capacity) {
            setNearLine(rts, LineEvent::Kind::Rts, true);
        }
    }
}

} // namespace drovane
