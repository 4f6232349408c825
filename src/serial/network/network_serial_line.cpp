#include "serial/network/network_serial_line.h"

#include "serial/line_id.h"
#include "serial/network/network_port.h"

namespace drovane {

NetworkSerialLine::NetworkSerialLine() = default;
NetworkSerialLine::~NetworkSerialLine() = default;

NetworkPort* NetworkSerialLine::portFor(int id) const {
    return id != 0 && id == id_ ? port_.get() : nullptr;
}

int NetworkSerialLine::open(const SerialSettings& settings) {
    if (port_) {
        lastFailure_ = OpenFailure::InUse;
        return 0;
    }
    OpenedNetworkPort opened = NetworkPort::open(settings);
    lastFailure_ = opened.failure;
    port_ = std::move(opened.port);
    if (!port_) {
        return 0;
    }
    port_->setTimeouts(SerialTimeouts{});
    port_->watchAbort(abort_);
    port_->watchNotices(notices_);
    id_ = nextLineId();
    return id_;
}

OpenFailure NetworkSerialLine::lastOpenFailure() const {
    return lastFailure_;
}

void NetworkSerialLine::close(int id) {
    if (portFor(id) != nullptr) {
        port_.reset();
        id_ = 0;
    }
}

int NetworkSerialLine::drain(int id) {
    NetworkPort* port = portFor(id);
    return port != nullptr ? static_cast<int>(port->drain()) : 0;
}

void NetworkSerialLine::watchAbort(const AbortRequest* abort) {
    abort_ = abort;
    if (port_) {
        port_->watchAbort(abort);
    }
}

void NetworkSerialLine::watchNotices(const LogSink* notices) {
    notices_ = notices;
    if (port_) {
        port_->watchNotices(notices);
    }
}

int NetworkSerialLine::applyTimeouts(int id, const SerialTimeouts& timeouts) {
    NetworkPort* port = portFor(id);
    if (port == nullptr) {
        return 0;
    }
    port->setTimeouts(timeouts);
    return 1;
}

int NetworkSerialLine::setSignal(int id, SerialSignal signal, int value) {
    NetworkPort* port = portFor(id);
    return port != nullptr && port->setSignal(signal, value) ? 1 : 0;
}

int NetworkSerialLine::getSignal(int id, SerialSignal signal) {
    NetworkPort* port = portFor(id);
    return port != nullptr ? port->getSignal(signal) : 0;
}

int NetworkSerialLine::inputWaiting(int id) {
    NetworkPort* port = portFor(id);
    return port != nullptr ? static_cast<int>(port->inputWaiting()) : 0;
}

bool NetworkSerialLine::waitForInput(int id, std::chrono::milliseconds limit) {
    NetworkPort* port = portFor(id);
    return port != nullptr && port->awaitInput(limit);
}

int NetworkSerialLine::read(int id, void* buffer, int count) {
    NetworkPort* port = portFor(id);
    if (port == nullptr || buffer == nullptr || count <= 0) {
        return 0;
    }
    return static_cast<int>(
        port->read(static_cast<unsigned char*>(buffer), static_cast<std::size_t>(count)));
}

int NetworkSerialLine::write(int id, const void* data, int count) {
    NetworkPort* port = portFor(id);
    if (port == nullptr || data == nullptr || count <= 0) {
        return 0;
    }
    return static_cast<int>(
        port->write(static_cast<const unsigned char*>(data), static_cast<std::size_t>(count)));
}

SerialError NetworkSerialLine::takeErrors(int id) {
    NetworkPort* port = portFor(id);
    return port != nullptr ? port->takeErrors() : SerialError::None;
}

} // namespace drovane
