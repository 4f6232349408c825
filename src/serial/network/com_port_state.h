#pragma once

// What the server has told us about its serial port: the acknowledgements of
// our settings, the modem lines, the line errors and whether it has asked us
// to pause. Pure, fed with the decoder's com-port commands.

#include "serial/line_deadlines.h"
#include "serial/network/com_port_codec.h"
#include "serial/serial_error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace drovane {

class ComPortState {
public:
    // One command from the server: its code (ours plus 100) and value.
    void apply(unsigned char serverCommand, const std::string& value);

    // A SET-CONTROL sent now, whose answer is due by `deadline`.
    void expectControl(telnet::Control control, LineClock::time_point deadline);
    // True exactly once, the first time a SET-CONTROL has gone unanswered
    // past its deadline: the server does not support it, and the transfer
    // goes on without it.
    bool takeUnansweredControl(LineClock::time_point now);
    bool controlsPending() const { return !pendingControls_.empty(); }

    // Baud rate, data size, parity, stop size and flow control all answered.
    bool settingsAcknowledged() const;
    std::uint32_t acknowledgedBaudRate() const { return baudRate_; }

    unsigned char modemState() const { return modemState_; }
    // CTS, DSR, Ring and RLSD as the server last said, 1 or 0; none for a
    // signal that is no status line.
    std::optional<int> modemLine(SerialSignal signal) const;
    // The server sent FLOWCONTROL-SUSPEND and no RESUME since.
    bool suspended() const { return suspended_; }
    // Overrun, parity, framing and break since the last call.
    SerialError takeLineErrors();

private:
    struct PendingControl {
        telnet::Control control = telnet::Control::NoFlowControl;
        LineClock::time_point deadline;
    };

    void answerControl(unsigned char value);

    std::vector<PendingControl> pendingControls_;
    bool unansweredReported_ = false;
    // Bits: baud, data size, parity, stop size, flow control.
    unsigned acknowledged_ = 0;
    std::uint32_t baudRate_ = 0;
    unsigned char modemState_ = 0;
    bool suspended_ = false;
    SerialError lineErrors_ = SerialError::None;
};

} // namespace drovane
