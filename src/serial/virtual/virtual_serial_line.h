#pragma once

// SerialLine over an in-process null-modem cable. The far end is driven
// through farEnd(): by tests, and by a simulated machine tool. Same timeouts,
// flow control and flags as a real port, so a job cannot tell the difference.

#include "serial/abort_request.h"
#include "serial/serial_line.h"
#include "serial/virtual/virtual_far_end.h"

#include <memory>

namespace drovane {

struct VirtualCable;

class VirtualSerialLine final : public SerialLine {
public:
    // A clock speed of 100 makes every timeout and character time a hundred
    // times shorter in real time.
    explicit VirtualSerialLine(double clockSpeed = 1.0);
    ~VirtualSerialLine() override;
    VirtualSerialLine(const VirtualSerialLine&) = delete;
    VirtualSerialLine& operator=(const VirtualSerialLine&) = delete;
    VirtualSerialLine(VirtualSerialLine&&) = delete;
    VirtualSerialLine& operator=(VirtualSerialLine&&) = delete;

    VirtualFarEnd farEnd() const { return VirtualFarEnd(cable_); }
    // For a device that drives the far end from inside the cable's lock.
    std::shared_ptr<VirtualCable> cable() const { return cable_; }
    double clockSpeed() const;

    int open(const SerialSettings& settings) override;
    void close(int id) override;
    int drain(int id) override;
    void watchAbort(const AbortRequest* abort) override;
    OpenFailure lastOpenFailure() const override;
    int applyTimeouts(int id, const SerialTimeouts& timeouts) override;
    int setSignal(int id, SerialSignal signal, int value) override;
    int getSignal(int id, SerialSignal signal) override;
    bool awaitSignal(int id, SerialSignal signal, bool on, const AbortRequest& abort) override;
    int inputWaiting(int id) override;
    bool waitForInput(int id, std::chrono::milliseconds limit) override;
    int read(int id, void* buffer, int count) override;
    int write(int id, const void* data, int count) override;
    SerialError takeErrors(int id) override;

private:
    std::shared_ptr<VirtualCable> cable_;
    const AbortRequest* abort_ = nullptr;
    AbortRequest::Listening abortListening_;
    OpenFailure lastFailure_ = OpenFailure::None;
};

} // namespace drovane
