#pragma once

// A machine's line as the service holds it: open from one reception to the
// next, so that no byte the machine punches between two jobs is lost and no
// other program takes the port meanwhile. The jobs open and close it as they
// always do; their close leaves it open, and only release() or a dead line
// really closes it.

#include "serial/serial_line.h"

namespace drovane {

class HeldLine final : public SerialLine {
public:
    explicit HeldLine(SerialLine& port) : port_(port) {}
    ~HeldLine() override { release(); }
    HeldLine(const HeldLine&) = delete;
    HeldLine& operator=(const HeldLine&) = delete;
    HeldLine(HeldLine&&) = delete;
    HeldLine& operator=(HeldLine&&) = delete;

    // Opens the port unless it is held; the identifier, or 0.
    int hold(const SerialSettings& settings);
    bool held() const { return id_ != 0; }
    // The line reported a hang-up or a device that went away since the hold.
    bool dead() const { return dead_; }
    void release();

    int open(const SerialSettings& settings) override { return hold(settings); }
    void close(int id) override { static_cast<void>(id); }
    int drain(int id) override { return port_.drain(id); }
    void watchAbort(const AbortRequest* abort) override { port_.watchAbort(abort); }
    OpenFailure lastOpenFailure() const override { return port_.lastOpenFailure(); }
    void watchNotices(const LogSink* notices) override { port_.watchNotices(notices); }
    int applyTimeouts(int id, const SerialTimeouts& timeouts) override {
        return port_.applyTimeouts(id, timeouts);
    }
    int setSignal(int id, SerialSignal signal, int value) override {
        return port_.setSignal(id, signal, value);
    }
    int getSignal(int id, SerialSignal signal) override { return port_.getSignal(id, signal); }
    int inputWaiting(int id) override { return port_.inputWaiting(id); }
    bool waitForInput(int id, std::chrono::milliseconds limit) override {
        return port_.waitForInput(id, limit);
    }
    int read(int id, void* buffer, int count) override { return port_.read(id, buffer, count); }
    int write(int id, const void* data, int count) override { return port_.write(id, data, count); }
    SerialError takeErrors(int id) override;

private:
    SerialLine& port_;
    SerialSettings settings_;
    int id_ = 0;
    bool dead_ = false;
};

} // namespace drovane
