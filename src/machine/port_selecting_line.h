#pragma once

// The line the transfer jobs use: the port name picks the back end. The name
// "VIRTUELL" opens the virtual line with the built-in machine control on its
// far end; "rfc2217://host:port" and "socket://host:port" a port on a device
// server; any other name is one of the computer's serial ports. One per
// process: the machine keeps its program between a send and a later
// reception.

#include "machine/virtual_machine.h"
#include "serial/network/network_serial_line.h"
#include "serial/serial_line.h"
#include "serial/system_serial_line.h"
#include "serial/virtual/virtual_serial_line.h"

#include <memory>
#include <string_view>

namespace drovane {

inline constexpr std::string_view kVirtualPortName = "VIRTUELL";

class PortSelectingLine final : public SerialLine {
public:
    // A clock speed above 1 runs the virtual line and its machine faster.
    explicit PortSelectingLine(double virtualClockSpeed = 1.0, VirtualMachineSettings machine = {});
    ~PortSelectingLine() override = default;
    PortSelectingLine(const PortSelectingLine&) = delete;
    PortSelectingLine& operator=(const PortSelectingLine&) = delete;
    PortSelectingLine(PortSelectingLine&&) = delete;
    PortSelectingLine& operator=(PortSelectingLine&&) = delete;

    VirtualMachine& virtualMachine() { return machine_; }

    int open(const SerialSettings& settings) override;
    void close(int id) override;
    int drain(int id) override;
    void watchAbort(const AbortRequest* abort) override;
    OpenFailure lastOpenFailure() const override;
    void watchNotices(const LogSink* notices) override;
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
    SerialLine* lineFor(int id);

    std::unique_ptr<SerialLine> terminal_ = makeSystemSerialLine();
    NetworkSerialLine network_;
    VirtualSerialLine virtual_;
    // After the line: stopped before the cable's near end goes.
    VirtualMachine machine_;
    int terminalId_ = 0;
    int virtualId_ = 0;
    int networkId_ = 0;
    // The back end of the last open, which knows why it failed.
    const SerialLine* lastOpened_ = terminal_.get();
};

} // namespace drovane
