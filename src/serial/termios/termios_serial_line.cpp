#include "serial/termios/termios_serial_line.h"

#include "serial/line_id.h"
#include "serial/termios/termios_port.h"

namespace drovane {

TermiosSerialLine::TermiosSerialLine() = default;
TermiosSerialLine::~TermiosSerialLine() = default;

TermiosPort* TermiosSerialLine::portFor(int id) const {
    return id != 0 && id == id_ ? port_.get() : nullptr;
}

int TermiosSerialLine::open(const SerialSettings& settings) {
    if (port_) {
        lastFailure_ = OpenFailure::InUse;
        return 0;
    }
    OpenedPort opened = TermiosPort::open(settings);
    lastFailure_ = opened.failure;
    port_ = std::move(opened.port);
    if (!port_) {
        return 0;
    }
    port_->setTimeouts(SerialTimeouts{});
    port_->watchAbort(abort_);
    id_ = nextLineId();
    return id_;
}

OpenFailure TermiosSerialLine::lastOpenFailure() const {
    return lastFailure_;
}

void TermiosSerialLine::close(int id) {
    if (portFor(id) != nullptr) {
        port_.reset();
        id_ = 0;
    }
}

int TermiosSerialLine::drain(int id) {
    TermiosPort* port = portFor(id);
    return port != nullptr ? static_cast<int>(port->drain()) : 0;
}

void TermiosSerialLine::watchAbort(const AbortRequest* abort) {
    abort_ = abort;
    if (port_) {
        port_->watchAbort(abort);
    }
}

int TermiosSerialLine::applyTimeouts(int id, const SerialTimeouts& timeouts) {
    TermiosPort* port = portFor(id);
    if (port == nullptr) {
        return 0;
    }
    port->setTimeouts(timeouts);
    return 1;
}

int TermiosSerialLine::setSignal(int id, SerialSignal signal, int value) {
    TermiosPort* port = portFor(id);
    return port != nullptr && port->setSignal(signal, value) ? 1 : 0;
}

int TermiosSerialLine::getSignal(int id, SerialSignal signal) {
    TermiosPort* port = portFor(id);
    return port != nullptr ? port->getSignal(signal) : 0;
}

int TermiosSerialLine::inputWaiting(int id) {
    TermiosPort* port = portFor(id);
    return port != nullptr ? static_cast<int>(port->inputWaiting()) : 0;
}

bool TermiosSerialLine::waitForInput(int id, std::chrono::milliseconds limit) {
    TermiosPort* port = portFor(id);
    return port != nullptr && port->awaitInput(limit);
}

int TermiosSerialLine::read(int id, void* buffer, int count) {
    TermiosPort* port = portFor(id);
    if (port == nullptr || buffer == nullptr || count <= 0) {
        return 0;
    }
    return static_cast<int>(
        port->read(static_cast<unsigned char*>(buffer), static_cast<std::size_t>(count)));
}

int TermiosSerialLine::write(int id, const void* data, int count) {
    TermiosPort* port = portFor(id);
    if (port == nullptr || data == nullptr || count <= 0) {
        return 0;
    }
    return static_cast<int>(
        port->write(static_cast<const unsigned char*>(data), static_cast<std::size_t>(count)));
}

SerialError TermiosSerialLine::takeErrors(int id) {
    TermiosPort* port = portFor(id);
    return port != nullptr ? port->takeErrors() : SerialError::None;
}

} // namespace drovane
