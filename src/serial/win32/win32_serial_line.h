#pragma once

// SerialLine over a Windows COM port ("COMn", or a device path "\\.\...").

#include "serial/serial_line.h"

#include <memory>

namespace drovane {

class Win32Port;

class Win32SerialLine final : public SerialLine {
public:
    Win32SerialLine();
    ~Win32SerialLine() override;
    Win32SerialLine(const Win32SerialLine&) = delete;
    Win32SerialLine& operator=(const Win32SerialLine&) = delete;
    Win32SerialLine(Win32SerialLine&&) = delete;
    Win32SerialLine& operator=(Win32SerialLine&&) = delete;

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
    Win32Port* portFor(int id) const;

    std::unique_ptr<Win32Port> port_;
    int id_ = 0;
    const AbortRequest* abort_ = nullptr;
    OpenFailure lastFailure_ = OpenFailure::None;
};

} // namespace drovane
