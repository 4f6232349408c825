#include "serial/virtual/virtual_far_end.h"

#include "serial/virtual/virtual_cable.h"

namespace drovane {

namespace {

bool* lineOf(VirtualCable& cable, SerialSignal line) {
    switch (line) {
    case SerialSignal::Dtr:
        return &cable.dtr;
    case SerialSignal::Rts:
        return &cable.rts;
    case SerialSignal::Break:
        return &cable.breakOn;
    case SerialSignal::Dsr:
        return &cable.dsr;
    case SerialSignal::Cts:
        return &cable.cts;
    case SerialSignal::Ring:
        return &cable.ring;
    case SerialSignal::Rlsd:
        return &cable.rlsd;
    case SerialSignal::XonChar:
    case SerialSignal::XoffChar:
        break;
    }
    return nullptr;
}

} // namespace

void VirtualFarEnd::send(std::string_view bytes) const {
    const std::lock_guard lock(cable_->mutex);
    for (const char byte : bytes) {
        cable_->sendFromFarEnd(static_cast<unsigned char>(byte));
    }
}

void VirtualFarEnd::sendXoff() const {
    send(std::string(1, static_cast<char>(kDefaultXoff)));
}

void VirtualFarEnd::sendXon() const {
    send(std::string(1, static_cast<char>(kDefaultXon)));
}

bool VirtualFarEnd::setLine(SerialSignal line, bool on) const {
    LineEvent::Kind kind{};
    switch (line) {
    case SerialSignal::Dsr:
        kind = LineEvent::Kind::Dsr;
        break;
    case SerialSignal::Cts:
        kind = LineEvent::Kind::Cts;
        break;
    case SerialSignal::Ring:
        kind = LineEvent::Kind::Ring;
        break;
    case SerialSignal::Rlsd:
        kind = LineEvent::Kind::Rlsd;
        break;
    default:
        return false;
    }
    const std::lock_guard lock(cable_->mutex);
    cable_->setFarLine(*lineOf(*cable_, line), kind, on);
    return true;
}

bool VirtualFarEnd::line(SerialSignal line) const {
    const std::lock_guard lock(cable_->mutex);
    const bool* state = lineOf(*cable_, line);
    return state != nullptr && *state;
}

void VirtualFarEnd::raiseErrors(SerialError errors) const {
    const std::lock_guard lock(cable_->mutex);
    cable_->raised |= errors;
    cable_->changed.notify_all();
}

void VirtualFarEnd::setConnected(bool connected) const {
    const std::lock_guard lock(cable_->mutex);
    cable_->connected = connected;
    cable_->changed.notify_all();
}

void VirtualFarEnd::refuseOpen(bool refuse) const {
    const std::lock_guard lock(cable_->mutex);
    cable_->refuseOpen = refuse;
}

void VirtualFarEnd::setConsumptionRate(std::int32_t baudRate) const {
    const std::lock_guard lock(cable_->mutex);
    cable_->consumptionBaud = baudRate;
    cable_->changed.notify_all();
}

void VirtualFarEnd::setInputLimit(std::size_t bytes) const {
    const std::lock_guard lock(cable_->mutex);
    cable_->inputLimit = bytes;
    cable_->changed.notify_all();
}

bool VirtualFarEnd::isOpen() const {
    const std::lock_guard lock(cable_->mutex);
    return cable_->nearOpen();
}

std::optional<SerialSettings> VirtualFarEnd::openSettings() const {
    const std::lock_guard lock(cable_->mutex);
    if (!cable_->nearOpen()) {
        return std::nullopt;
    }
    return cable_->settings;
}

std::string VirtualFarEnd::received() const {
    const std::lock_guard lock(cable_->mutex);
    cable_->settle(LineClock::now());
    return cable_->received;
}

std::size_t VirtualFarEnd::inFlight() const {
    const std::lock_guard lock(cable_->mutex);
    cable_->settle(LineClock::now());
    return cable_->inFlight.size();
}

std::vector<LineEvent> VirtualFarEnd::events() const {
    const std::lock_guard lock(cable_->mutex);
    cable_->settle(LineClock::now());
    return cable_->events;
}

template <typename Condition>
bool VirtualFarEnd::waitFor(std::chrono::milliseconds timeout, Condition condition) const {
    const auto end = LineClock::now() + timeout;
    std::unique_lock lock(cable_->mutex);
    cable_->settle(LineClock::now());
    while (!condition(*cable_)) {
        if (LineClock::now() >= end) {
            return false;
        }
        cable_->waitForChange(lock, end);
    }
    return true;
}

bool VirtualFarEnd::waitForReceived(std::size_t count, std::chrono::milliseconds timeout) const {
    return waitFor(timeout,
                   [count](const VirtualCable& cable) { return cable.received.size() >= count; });
}

bool VirtualFarEnd::waitForEvents(std::size_t count, std::chrono::milliseconds timeout) const {
    return waitFor(timeout,
                   [count](const VirtualCable& cable) { return cable.events.size() >= count; });
}

bool VirtualFarEnd::waitForLine(SerialSignal line, bool on,
                                std::chrono::milliseconds timeout) const {
    return waitFor(timeout, [line, on](VirtualCable& cable) {
        const bool* state = lineOf(cable, line);
        return state != nullptr && *state == on;
    });
}

bool VirtualFarEnd::waitForOpen(bool open, std::chrono::milliseconds timeout) const {
    return waitFor(timeout, [open](const VirtualCable& cable) { return cable.nearOpen() == open; });
}

} // namespace drovane
