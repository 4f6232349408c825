#pragma once

// SerialLine over a Linux terminal device: real ports, USB adapters and
// pseudo-terminals.

#include "serial/serial_line.h"

#include <memory>

namespace drovane {

class TermiosPort;

class TermiosSerialLine final : public SerialLine {
public:
    TermiosSerialLine();
    ~TermiosSerialLine() override;
    TermiosSerialLine(const TermiosSerialLine&) = delete;
    TermiosSerialLine& operator=(const TermiosSerialLine&) = delete;
    TermiosSerialLine(TermiosSerialLine&&) = delete;
    TermiosSerialLine& operator=(TermiosSerialLine&&) = delete;

    int open(const SerialSettings& settings) override;
    void close(int id) override;
    int drain(int id) override;
    void watchAbort(const AbortRequest* abort) override;
    OpenFailure lastOpenFailure() const override;
    int applyTimeouts(int id, const SerialTimeouts& timeouts) override;
    int setSignal(int id, SerialSignal signal, int value) override;
    int getSignal(int id, SerialSignal signal) override;
    int inputWaiting(int id) override;
    bool waitForInput(int id, std::chrono::milliseconds limit) override;
    int read(int id, void* buffer, int count) override;
    int write(int id, const void* data, int count) override;
    SerialError takeErrors(int id) override;

private:
    TermiosPort* portFor(int id) const;

    std::unique_ptr<TermiosPort> port_;
    int id_ = 0;
    const AbortRequest* abort_ = nullptr;
    OpenFailure lastFailure_ = OpenFailure::None;
};

} // namespace drovane
