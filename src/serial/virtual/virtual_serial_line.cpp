// How the near end writes, reads and waits.
//
// Output. write() puts runs of bytes on the wire (the loops are
// line_engine.h's) while nothing holds them (outputHold): an XOFF from the
// far end, CTS low under RTS/CTS, or a far end that consumes at a rate and
// already has its input limit of bytes in flight. A full wire is refilled
// when a quarter of it is left, so the writer wakes once a run, and a far
// end waiting for bytes once the run has arrived (VirtualCable::settle
// hands them over with their own arrival times, however late it is asked).
//
// Waits. Every wait is on the cable's condition variable, until the
// deadline or a change; a watched abort notifies it too (watchAbort), so
// nothing looks at the clock in between.

#include "serial/virtual/virtual_serial_line.h"

#include "serial/abort_request.h"
#include "serial/flow_characters.h"
#include "serial/flow_control.h"
#include "serial/line_engine.h"
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

enum class OutputHold : std::uint8_t { None, Xoff, Cts, Full };

OutputHold outputHold(const VirtualCable& cable) {
    if (cable.input->softwareFlow() && cable.input->heldByXoff()) {
        return OutputHold::Xoff;
    }
    if (cable.settings.handshake == Handshake::RtsCts && !cable.cts) {
        return OutputHold::Cts;
    }
    if (cable.consumptionBaud != 0 && cable.inputLimit > 0 &&
        cable.inFlight.size() >= cable.inputLimit) {
        return OutputHold::Full;
    }
    return OutputHold::None;
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
                      rtsLevelAtOpen(settings.handshake).value_or(true));
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

// The waits are on the cable's condition variable, which a raise notifies
// under the cable's lock: a wait about to begin cannot miss it.
void VirtualSerialLine::watchAbort(const AbortRequest* abort) {
    abortListening_ = {};
    abort_ = abort;
    if (abort != nullptr) {
        abortListening_ = abort->listen([cable = cable_] {
            const std::lock_guard lock(cable->mutex);
            cable->changed.notify_all();
        });
    }
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
    if (setFlowCharacter(*cable.input, signal, value)) {
        return 1;
    }
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
    case SerialSignal::XoffChar:
    case SerialSignal::Cts:
    case SerialSignal::Dsr:
    case SerialSignal::Ring:
    case SerialSignal::Rlsd:
        break;
    }
    return 0;
}

namespace {

int signalOf(const VirtualCable& cable, int id, SerialSignal signal) {
    if (!openAs(cable, id)) {
        return 0;
    }
    if (const auto character = flowCharacter(*cable.input, signal)) {
        return *character;
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
    case SerialSignal::XoffChar:
    case SerialSignal::Dtr:
    case SerialSignal::Rts:
    case SerialSignal::Break:
        break;
    }
    return 0;
}

} // namespace

int VirtualSerialLine::getSignal(int id, SerialSignal signal) {
    const std::lock_guard lock(cable_->mutex);
    return signalOf(*cable_, id, signal);
}

// The far end notifies the cable at every change of its lines, and so does
// a raise: nothing looks in between. The listening outlives the lock, as a
// raise takes the cable's lock inside the request's.
bool VirtualSerialLine::awaitSignal(int id, SerialSignal signal, bool on,
                                    const AbortRequest& abort) {
    const auto listening = abort.listen([cable = cable_] {
        const std::lock_guard lock(cable->mutex);
        cable->changed.notify_all();
    });
    std::unique_lock lock(cable_->mutex);
    for (;;) {
        if ((signalOf(*cable_, id, signal) != 0) == on) {
            return true;
        }
        if (abort.raised()) {
            return false;
        }
        cable_->changed.wait(lock);
    }
}

namespace {

void noteReading(VirtualCable& cable) {
    if (!cable.nearReading) {
        cable.nearReading = true;
        cable.changed.notify_all();
    }
}

// What the shared loops need of the near end, all under the cable's lock.
struct NearEnd {
    VirtualCable& cable;
    std::unique_lock<std::mutex>& lock;
    const AbortRequest* abort;

    bool ended() const { return !cable.connected; }
    bool abortRaised() const { return abort != nullptr && abort->raised(); }
};

struct NearInput : NearEnd {
    void refresh() const {
        cable.settle(LineClock::now());
        if (!cable.connected) {
            cable.raised |= SerialError::IOE;
        }
    }
    std::size_t take(unsigned char* target, std::size_t count) const {
        const std::size_t taken = cable.input->take(target, count);
        if (taken > 0) {
            cable.inputChanged();
        }
        return taken;
    }
    std::size_t queued() const { return cable.input->size(); }
    bool reportDue() const { return cable.raised != SerialError::None; }
    // A watched abort wakes every wait on the cable; whether it ends one is
    // the loop's question.
    void waitForInput(std::optional<LineClock::time_point> until, bool /*abort*/) const {
        cable.waitForNews(lock, until);
    }
};

struct NearOutput : NearEnd {
    using Hold = OutputHold;

    void prepareOutput() const { cable.settle(LineClock::now()); }
    Hold hold() const { return outputHold(cable); }
    // The holds are asked between the bytes of a run, since a far end that
    // takes them at once may answer the first with an XOFF. A far end
    // already waiting for bytes in flight wakes at their arrival anyway:
    // only the first of a flight notifies.
    std::size_t put(const unsigned char* data, std::size_t count, Hold& hold) const {
        const bool news = cable.inFlight.empty();
        const auto now = LineClock::now();
        std::size_t sent = 0;
        while (sent < count && (hold = outputHold(cable)) == Hold::None) {
            cable.sendToFarEnd(data[sent], now);
            ++sent;
        }
        cable.txFull = false;
        if (news) {
            cable.changed.notify_all();
        }
        return sent;
    }
    void noteEnded() const { cable.raised |= SerialError::IOE; }
    void giveUp(Hold hold) const { cable.txFull = hold == Hold::Full; }
    // A full wire is refilled once a quarter of its bytes is left: one
    // wake-up for a run of bytes, and the wire does not run dry meanwhile.
    void waitOut(Hold hold, std::optional<LineClock::time_point> deadline) const {
        const auto refill =
            hold == Hold::Full ? cable.inFlightFallsTo(cable.inputLimit / 4) : std::nullopt;
        cable.waitForNews(lock, earlier(deadline, refill));
    }
};

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
    std::unique_lock lock(cable_->mutex);
    if (!openAs(*cable_, id)) {
        return false;
    }
    noteReading(*cable_);
    NearInput input{{*cable_, lock, abort_}};
    return awaitInput(input, SystemLineClock{}, limit);
}

int VirtualSerialLine::read(int id, void* buffer, int count) {
    std::unique_lock lock(cable_->mutex);
    if (!openAs(*cable_, id) || buffer == nullptr || count <= 0) {
        return 0;
    }
    noteReading(*cable_);
    NearInput input{{*cable_, lock, abort_}};
    return static_cast<int>(readUnderTimeouts(input, SystemLineClock{}, cable_->timeouts,
                                              static_cast<unsigned char*>(buffer),
                                              static_cast<std::size_t>(count), cable_->clockSpeed));
}

int VirtualSerialLine::write(int id, const void* data, int count) {
    std::unique_lock lock(cable_->mutex);
    if (!openAs(*cable_, id) || data == nullptr || count <= 0) {
        return 0;
    }
    const auto length = static_cast<std::size_t>(count);
    NearOutput output{{*cable_, lock, abort_}};
    return static_cast<int>(writeUnderTimeouts(
        output, SystemLineClock{},
        writeDeadline(cable_->timeouts, length, LineClock::now(), cable_->clockSpeed),
        static_cast<const unsigned char*>(data), length));
}

SerialError VirtualSerialLine::takeErrors(int id) {
    VirtualCable& cable = *cable_;
    const std::lock_guard lock(cable.mutex);
    if (!openAs(cable, id)) {
        return SerialError::None;
    }
    SerialError errors = cable.raised | takeQueueErrors(*cable.input);
    cable.raised = SerialError::None;
    if (cable.txFull) {
        errors |= SerialError::TxFull;
        cable.txFull = false;
    }
    if (cable.settings.handshake == Handshake::RtsCts && !cable.cts) {
        errors |= SerialError::WaitingCTS;
    }
    return errors;
}

} // namespace drovane
