#pragma once

// SerialLine over one kind of port: at most one port open at a time, found
// by the identifier its open handed out. Each back end names its port type:
//   static open(settings) -> {std::unique_ptr<Port> port, OpenFailure failure}
//   setTimeouts, watchAbort, setSignal, getSignal, inputWaiting, awaitInput,
//   read, write, takeErrors, drain; watchNotices where it has something to say;
//   awaitSignal(signal, on, abort) where the system tells of a status line's
//   change.

#include "serial/line_id.h"
#include "serial/serial_line.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <utility>

namespace drovane {

template <class Port> class PortSerialLine final : public SerialLine {
public:
    PortSerialLine() = default;
    ~PortSerialLine() override = default;
    PortSerialLine(const PortSerialLine&) = delete;
    PortSerialLine& operator=(const PortSerialLine&) = delete;
    PortSerialLine(PortSerialLine&&) = delete;
    PortSerialLine& operator=(PortSerialLine&&) = delete;

    int open(const SerialSettings& settings) override {
        if (port_) {
            lastFailure_ = OpenFailure::InUse;
            return 0;
        }
        auto opened = Port::open(settings);
        lastFailure_ = opened.failure;
        port_ = std::move(opened.port);
        if (!port_) {
            return 0;
        }
        port_->watchAbort(abort_);
        passNotices();
        id_ = nextLineId();
        return id_;
    }

    void close(int id) override {
        if (portFor(id) != nullptr) {
            port_.reset();
            id_ = 0;
        }
    }

    int drain(int id) override {
        Port* port = portFor(id);
        return port != nullptr ? static_cast<int>(port->drain()) : 0;
    }

    void watchAbort(const AbortRequest* abort) override {
        abort_ = abort;
        if (port_) {
            port_->watchAbort(abort);
        }
    }

    void watchNotices(const LogSink* notices) override {
        notices_ = notices;
        passNotices();
    }

    OpenFailure lastOpenFailure() const override { return lastFailure_; }

    int applyTimeouts(int id, const SerialTimeouts& timeouts) override {
        Port* port = portFor(id);
        return port != nullptr && port->setTimeouts(timeouts) ? 1 : 0;
    }

    int setSignal(int id, SerialSignal signal, int value) override {
        Port* port = portFor(id);
        return port != nullptr && port->setSignal(signal, value) ? 1 : 0;
    }

    int getSignal(int id, SerialSignal signal) override {
        Port* port = portFor(id);
        return port != nullptr ? port->getSignal(signal) : 0;
    }

    bool awaitSignal(int id, SerialSignal signal, bool on, const AbortRequest& abort) override {
        if constexpr (requires(Port & port) { port.awaitSignal(signal, on, abort); }) {
            if (Port* port = portFor(id)) {
                return port->awaitSignal(signal, on, abort);
            }
        }
        return SerialLine::awaitSignal(id, signal, on, abort);
    }

    int inputWaiting(int id) override {
        Port* port = portFor(id);
        return port != nullptr ? static_cast<int>(port->inputWaiting()) : 0;
    }

    bool waitForInput(int id, std::chrono::milliseconds limit) override {
        Port* port = portFor(id);
        return port != nullptr && port->awaitInput(limit);
    }

    int read(int id, void* buffer, int count) override {
        Port* port = portFor(id);
        if (port == nullptr || buffer == nullptr || count <= 0) {
            return 0;
        }
        return static_cast<int>(
            port->read(static_cast<unsigned char*>(buffer), static_cast<std::size_t>(count)));
    }

    int write(int id, const void* data, int count) override {
        Port* port = portFor(id);
        if (port == nullptr || data == nullptr || count <= 0) {
            return 0;
        }
        return static_cast<int>(
            port->write(static_cast<const unsigned char*>(data), static_cast<std::size_t>(count)));
    }

    SerialError takeErrors(int id) override {
        Port* port = portFor(id);
        return port != nullptr ? port->takeErrors() : SerialError::None;
    }

private:
    Port* portFor(int id) const { return id != 0 && id == id_ ? port_.get() : nullptr; }

    void passNotices() {
        if constexpr (requires(Port & port) { port.watchNotices(notices_); }) {
            if (port_) {
                port_->watchNotices(notices_);
            }
        }
    }

    std::unique_ptr<Port> port_;
    int id_ = 0;
    const AbortRequest* abort_ = nullptr;
    const LogSink* notices_ = nullptr;
    OpenFailure lastFailure_ = OpenFailure::None;
};

} // namespace drovane
