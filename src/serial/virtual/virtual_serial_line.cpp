#include "serial/virtual/virtual_serial_line.h"

#include "serial/abort_request.h"
#include "serial/flow_control.h"
#include "serial/line_id.h"
#include "serial/virtual/virtual_cable.h"

namespace drovane {

namespace {

bool openAs(const VirtualCable& cable, int id) {
    return id != 0 && cable.id == id;
}

void closeNearEnd(VirtualCable& cable) {
    cable.setNearLine(cable.dtr, LineEvent::Kind::Dtr, false);
    cable.setNearLine(cable.rts, LineEvent::Kind::Rts, false);
    cable.setNearLine(cable.breakOn, LineEvent::Kind::Break, false);
    cable.record(LineEvent::Kind::Closed, 0);
    cable.id = 0;
    cable.input.reset();
    cable.changed.notify_all();
}

OpenFailure whyRefused(const VirtualCable& cable, const SerialSettings& settings) {
    if (!cable.connected) {
        return OpenFailure::NoSuchPort;
    }
    if (cable.nearOpen()) {
        return OpenFailure::InUse;
    }
    if (cable.refuseOpen) {
        return OpenFailure::DeviceFailed;
    }
    if (!settingsSupported(settings)) {
        return OpenFailure::SettingsRefused;
    }
    return OpenFailure::None;
}

enum class Hold : std::uint8_t { None, Xoff, Cts, Full };

Hold outputHold(const VirtualCable& cable) {
    if (cable.input->softwareFlow() && cable.input->heldByXoff()) {
        return Hold::Xoff;
    }
    if (cable.settings.handshake == Handshake::RtsCts && !cable.cts) {
        return Hold::Cts;
    }
    if (cable.consumptionBaud != 0 && cable.inputLimit > 0 &&
        cable.inFlight.size() >= cable.inputLimit) {
        return Hold::Full;
    }
    return Hold::None;
}

} // namespace

VirtualSerialLine::VirtualSerialLine(double clockSpeed)
    : cable_(std::make_shared<VirtualCable>(clockSpeed)) {}

VirtualSerialLine::~VirtualSerialLine() {
    const std::lock_guard lock(cable_->mutex);
    if (cable_->nearOpen()) {
        closeNearEnd(*cable_);
    }
}

double VirtualSerialLine::clockSpeed() const {
    return cable_->clockSpeed;
}

OpenFailure VirtualSerialLine::lastOpenFailure() const {
    return lastFailure_;
}

int VirtualSerialLine::open(const SerialSettings& settings) {
    VirtualCable& cable = *cable_;
    const std::lock_guard lock(cable.mutex);
    lastFailure_ = whyRefused(cable, settings);
    if (lastFailure_ != OpenFailure::None) {
        return 0;
    }
    cable.id = nextLineId();
    cable.settings = settings;
    cable.timeouts = SerialTimeouts{};
    cable.input.emplace(inputQueueCapacity(settings), flowLimits(settings.inputBufferSize),
                        settings.handshake == Handshake::XonXoff);
    cable.txFull = false;
    cable.nearReading = false;
    cable.record(LineEvent::Kind::Opened, 0);
    // As a Linux port opens: DTR and RTS up, RTS then down when asked.
    cable.setNearLine(cable.dtr, LineEvent::Kind::Dtr, true);
    cable.setNearLine(cable.rts, LineEvent::Kind::Rts,
                      rtsAtOpen(settings.handshake) != RtsAtOpen::Lower);
    cable.changed.notify_all();
    return cable.id;
}

void VirtualSerialLine::close(int id) {
    const std::lock_guard lock(cable_->mutex);
    if (openAs(*cable_, id)) {
        closeNearEnd(*cable_);
    }
}

// Bytes on the virtual wire always arrive: nothing holds them back.
int VirtualSerialLine::drain(int /*id*/) {
    return 0;
}

void VirtualSerialLine::watchAbort(const AbortRequest* abort) {
    abort_ = abort;
}

int VirtualSerialLine::applyTimeouts(int id, const SerialTimeouts& timeouts) {
    const std::lock_guard lock(cable_->mutex);
    if (!openAs(*cable_, id)) {
        return 0;
    }
    cable_->timeouts = timeouts;
    return 1;
}

int VirtualSerialLine::setSignal(int id, SerialSignal signal, int value) {
    VirtualCable& cable = *cable_;
    const std::lock_guard lock(cable.mutex);
    if (!openAs(cable, id)) {
        return 0;
    }
    const auto low8 = static_cast<unsigned char>(value & 0xFF);
    switch (signal) {
    case SerialSignal::Dtr:
        cable.setNearLine(cable.dtr, LineEvent::Kind::Dtr, value != 0);
        return 1;
    case SerialSignal::Rts:
        cable.setNearLine(cable.rts, LineEvent::Kind::Rts, value != 0);
        return 1;
    case SerialSignal::Break:
        cable.setNearLine(cable.breakOn, LineEvent::Kind::Break, value != 0);
        return 1;
    case SerialSignal::XonChar:
        cable.input->setFlowCharacters(low8, cable.input->xoffCharacter());
        return 1;
    case SerialSignal::XoffChar:
        cable.input->setFlowCharacters(cable.input->xonCharacter(), low8);
        return 1;
    case SerialSignal::Cts:
    case SerialSignal::Dsr:
    case SerialSignal::Ring:
    case SerialSignal::Rlsd:
        break;
    }
    return 0;
}

int VirtualSerialLine::getSignal(int id, SerialSignal signal) {
    const VirtualCable& cable = *cable_;
    const std::lock_guard lock(cable_->mutex);
    if (!openAs(cable, id)) {
        return 0;
    }
    switch (signal) {
    case SerialSignal::Cts:
        return cable.cts ? 1 : 0;
    case SerialSignal::Dsr:
        return cable.dsr ? 1 : 0;
    case SerialSignal::Ring:
        return cable.ring ? 1 : 0;
    case SerialSignal::Rlsd:
        return cable.rlsd ? 1 : 0;
    case SerialSignal::XonChar:
        return static_cast<signed char>(cable.input->xonCharacter());
    case SerialSignal::XoffChar:
        return static_cast<signed char>(cable.input->xoffCharacter());
    case SerialSignal::Dtr:
    case SerialSignal::Rts:
    case SerialSignal::Break:
        break;
    }
    return 0;
}

namespace {

void noteReading(VirtualCable& cable) {
    if (!cable.nearReading) {
        cable.nearReading = true;
        cable.changed.notify_all();
    }
}

} // namespace

int VirtualSerialLine::inputWaiting(int id) {
    const std::lock_guard lock(cable_->mutex);
    if (!openAs(*cable_, id)) {
        return 0;
    }
    noteReading(*cable_);
    return static_cast<int>(cable_->input->size());
}

bool VirtualSerialLine::waitForInput(int id, std::chrono::milliseconds limit) {
    VirtualCable& cable = *cable_;
    std::unique_lock lock(cable.mutex);
    if (!openAs(cable, id)) {
        return false;
    }
    noteReading(cable);
    const auto until = LineClock::now() + limit;
    const auto somethingToTake = [&cable, id] {
        if (!openAs(cable, id)) {
            return true; // closed meanwhile: nothing more will come
        }
        if (!cable.connected) {
            cable.raised |= SerialError::IOE;
        }
        return cable.input->size() > 0 || cable.raised != SerialError::None;
    };
    while (!somethingToTake()) {
        if (LineClock::now() >= until) {
            return false;
        }
        cable.waitForChange(lock, until);
    }
    return openAs(cable, id);
}

int VirtualSerialLine::read(int id, void* buffer, int count) {
    VirtualCable& cable = *cable_;
    std::unique_lock lock(cable.mutex);
    if (!openAs(cable, id) || buffer == nullptr || count <= 0) {
        return 0;
    }
    noteReading(cable);
    auto* target = static_cast<unsigned char*>(buffer);
    const auto wanted = static_cast<std::size_t>(count);
    ReadTimer timer(cable.timeouts, wanted, LineClock::now(), cable.clockSpeed);
    std::size_t got = 0;
    while (openAs(cable, id)) {
        const std::size_t taken = cable.input->take(target + got, wanted - got);
        if (taken > 0) {
            got += taken;
            timer.bytesArrived(LineClock::now());
            cable.inputChanged();
        }
        if (timer.finished(got)) {
            break;
        }
        if (!cable.connected) {
            cable.raised |= SerialError::IOE;
            break;
        }
        const auto until = timer.deadline(got);
        if (until && LineClock::now() >= *until) {
            break;
        }
        cable.waitForChange(lock, until);
    }
    return static_cast<int>(got);
}

int VirtualSerialLine::write(int id, const void* data, int count) {
    VirtualCable& cable = *cable_;
    std::unique_lock lock(cable.mutex);
    if (!openAs(cable, id) || data == nullptr || count <= 0) {
        return 0;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    const auto deadline = writeDeadline(cable.timeouts, static_cast<std::size_t>(count),
                                        LineClock::now(), cable.clockSpeed);
    int sent = 0;
    while (sent < count && openAs(cable, id)) {
        const auto now = LineClock::now();
        cable.settle(now);
        if (!cable.connected) {
            cable.raised |= SerialError::IOE;
            break;
        }
        const Hold hold = outputHold(cable);
        if (hold == Hold::None) {
            cable.sendToFarEnd(bytes[sent], now);
            cable.txFull = false;
            ++sent;
            continue;
        }
        const bool aborted = abort_ != nullptr && abort_->raised();
        if ((deadline && now >= *deadline) || aborted) {
            cable.txFull = hold == Hold::Full;
            break;
        }
        // A raised abort notifies nobody here: look at it every 5 ms.
        auto until = deadline;
        if (abort_ != nullptr) {
            const auto look = now + std::chrono::milliseconds(5);
            until = until ? std::min(*until, look) : look;
        }
        cable.waitForChange(lock, until);
    }
    return sent;
}

SerialError VirtualSerialLine::takeErrors(int id) {
    VirtualCable& cable = *cable_;
    const std::lock_guard lock(cable.mutex);
    if (!openAs(cable, id)) {
        return SerialError::None;
    }
    SerialError errors = cable.raised;
    cable.raised = SerialError::None;
    if (cable.input->takeOverflow()) {
        errors |= SerialError::RxOver;
    }
    if (cable.txFull) {
        errors |= SerialError::TxFull;
        cable.txFull = false;
    }
    if (cable.input->softwareFlow() && cable.input->heldByXoff()) {
        errors |= SerialError::XoffReceived;
    }
    if (cable.input->xoffSent()) {
        errors |= SerialError::XoffSent;
    }
    if (cable.settings.handshake == Handshake::RtsCts && !cable.cts) {
        errors |= SerialError::WaitingCTS;
    }
    return errors;
}

} // namespace drovane
