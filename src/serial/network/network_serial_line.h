#pragma once

// SerialLine over a serial port on a device server: rfc2217://host:port and
// socket://host:port, on every system.

#include "serial/serial_line.h"

#include <memory>

namespace drovane {

class NetworkPort;

class NetworkSerialLine final : public SerialLine {
public:
    NetworkSerialLine();
    ~NetworkSerialLine() override;
    NetworkSerialLine(const NetworkSerialLine&) = delete;
    NetworkSerialLine& operator=(const NetworkSerialLine&) = delete;
    NetworkSerialLine(NetworkSerialLine&&) = delete;
    NetworkSerialLine& operator=(NetworkSerialLine&&) = delete;

    int open(const SerialSettings& settings) override;
    void close(int id) override;
    int drain(int id) override;
    void watchAbort(const AbortRequest* abort) override;
    OpenFailure lastOpenFailure() const override;
    void watchNotices(const LogSink* notices) override;
    int applyTimeouts(int id, const SerialTimeouts& timeouts) override;
    int setSignal(int id, SerialSignal signal, int value) override;
    int getSignal(int id, SerialSignal signal) override;
    int inputWaiting(int id) override;
    bool waitForInput(int id, std::chrono::milliseconds limit) override;
    int read(int id, void* buffer, int count) override;
    int write(int id, const void* data, int count) override;
    SerialError takeErrors(int id) override;

private:
    NetworkPort* portFor(int id) const;

    std::unique_ptr<NetworkPort> port_;
    int id_ = 0;
    const AbortRequest* abort_ = nullptr;
    const LogSink* notices_ = nullptr;
    OpenFailure lastFailure_ = OpenFailure::None;
};

} // namespace drovane
