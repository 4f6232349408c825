#include "serial/win32/win32_serial_line.h"

#include "serial/line_id.h"
#include "serial/win32/win32_port.h"

namespace drovane {

Win32SerialLine::Win32SerialLine() = default;
Win32SerialLine::~Win32SerialLine() = default;

Win32Port* Win32SerialLine::portFor(int id) const {
    return id != 0 && id == id_ ? port_.get() : nullptr;
}

int Win32SerialLine::open(const SerialSettings& settings) {
    if (port_) {
        lastFailure_ = OpenFailure::InUse;
        return 0;
    }
    OpenedWin32Port opened = Win32Port::open(settings);
    lastFailure_ = opened.failure;
    port_ = std::move(opened.port);
    if (!port_) {
        return 0;
    }
    port_->watchAbort(abort_);
    id_ = nextLineId();
    return id_;
}

OpenFailure Win32SerialLine::lastOpenFailure() const {
    return lastFailure_;
}

void Win32SerialLine::close(int id) {
    if (portFor(id) != nullptr) {
        port_.reset();
        id_ = 0;
    }
}

int Win32SerialLine::drain(int id) {
    Win32Port* port = portFor(id);
    return port != nullptr ? static_cast<int>(port->drain()) : 0;
}

void Win32SerialLine::watchAbort(const AbortRequest* abort) {
    abort_ = abort;
    if (port_) {
        port_->watchAbort(abort);
    }
}

int Win32SerialLine::applyTimeouts(int id, const SerialTimeouts& timeouts) {
    Win32Port* port = portFor(id);
    if (port == nullptr) {
        return 0;
    }
    return port->setTimeouts(timeouts) ? 1 : 0;
}

int Win32SerialLine::setSignal(int id, SerialSignal signal, int value) {
    Win32Port* port = portFor(id);
    return port != nullptr && port->setSignal(signal, value) ? 1 : 0;
}

int Win32SerialLine::getSignal(int id, SerialSignal signal) {
    Win32Port* port = portFor(id);
    return port != nullptr ? port->getSignal(signal) : 0;
}

int Win32SerialLine::inputWaiting(int id) {
    Win32Port* port = portFor(id);
    return port != nullptr ? static_cast<int>(port->inputWaiting()) : 0;
}

bool Win32SerialLine::waitForInput(int id, std::chrono::milliseconds limit) {
    Win32Port* port = portFor(id);
    return port != nullptr && port->awaitInput(limit);
}

int Win32SerialLine::read(int id, void* buffer, int count) {
    Win32Port* port = portFor(id);
    if (port == nullptr || buffer == nullptr || count <= 0) {
        return 0;
    }
    return static_cast<int>(
        port->read(static_cast<unsigned char*>(buffer), static_cast<std::size_t>(count)));
}

int Win32SerialLine::write(int id, const void* data, int count) {
    Win32Port* port = portFor(id);
    if (port == nullptr || data == nullptr || count <= 0) {
        return 0;
    }
    return static_cast<int>(
        port->write(static_cast<const unsigned char*>(data), static_cast<std::size_t>(count)));
}

SerialError Win32SerialLine::takeErrors(int id) {
    Win32Port* port = portFor(id);
    return port != nullptr ? port->takeErrors() : SerialError::None;
}

} // namespace drovane
