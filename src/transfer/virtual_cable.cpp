#include "transfer/virtual_cable.h"

#include <algorithm>

namespace drovane {

void VirtualCable::settle(LineClock::time_point now) {
    bool arrived = false;
    while (!inFlight.empty() && inFlight.front().second <= now) {
        const unsigned char byte = inFlight.front().first;
        inFlight.pop_front();
        received.push_back(static_cast<char>(byte));
        record(LineEvent::Kind::ToFarEnd, byte);
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
    return inFlight.front().second;
}

void VirtualCable::waitForChange(std::unique_lock<std::mutex>& lock,
                                 std::optional<LineClock::time_point> until) {
    const auto arrival = nextArrival();
    if (arrival && (!until || *arrival < *until)) {
        until = arrival;
    }
    if (until) {
        changed.wait_until(lock, *until);
    } else {
        changed.wait(lock);
    }
    settle(LineClock::now());
}

void VirtualCable::record(LineEvent::Kind kind, int value) {
    events.push_back(LineEvent{kind, value});
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
    if (consumptionBaud <= 0) {
        received.push_back(static_cast<char>(byte));
        record(LineEvent::Kind::ToFarEnd, byte);
    } else {
        // Ten bits a character: start, eight data bits, stop.
        const auto characterTime = std::chrono::duration_cast<LineClock::duration>(
            std::chrono::duration<double>(10.0 / consumptionBaud / clockSpeed));
        wireFreeAt = std::max(now, wireFreeAt) + characterTime;
        inFlight.emplace_back(byte, wireFreeAt);
    }
    changed.notify_all();
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
        received.push_back(static_cast<char>(*due));
        record(LineEvent::Kind::ToFarEnd, *due);
        input->flowCharacterSent(*due);
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
