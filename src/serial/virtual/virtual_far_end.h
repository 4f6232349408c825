#pragma once

// The far end of a virtual line: the machine side of the cable. Thread-safe;
// any number of copies may drive the same cable.

#include "serial/serial_error.h"
#include "serial/serial_types.h"
#include "serial/virtual/line_event.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

struct VirtualCable;

class VirtualFarEnd {
public:
    explicit VirtualFarEnd(std::shared_ptr<VirtualCable> cable) : cable_(std::move(cable)) {}

    // Bytes to the near end; lost while it is closed, as on a real cable.
    void send(std::string_view bytes) const;
    void sendXoff() const; // DC3
    void sendXon() const;  // DC1

    // DSR, CTS, RING and RLSD are the far end's; false for any other line.
    bool setLine(SerialSignal line, bool on) const;
    // Any line: the near end's DTR, RTS and Break included.
    bool line(SerialSignal line) const;

    // Reported by the near end's next takeErrors.
    void raiseErrors(SerialError errors) const;
    // false: the device is gone; reads and writes fail with IOE.
    void setConnected(bool connected) const;
    void refuseOpen(bool refuse) const;

    // Bytes leave the wire at this rate, in the near end's frame (10 bits for
    // 8N1); 0 is at once, kAtLineRate the near end's own baud rate.
    void setConsumptionRate(std::int32_t baudRate) const;
    // With a rate: the near end's writes are held while this many bytes are
    // still on their way (0: no limit).
    void setInputLimit(std::size_t bytes) const;

    bool isOpen() const;
    // What the near end was last opened with.
    std::optional<SerialSettings> openSettings() const;
    // Every byte that has reached the far end, in order.
    std::string received() const;
    std::size_t inFlight() const;
    std::vector<LineEvent> events() const;

    // Real-time waits; true when the condition holds.
    bool waitForReceived(std::size_t count, std::chrono::milliseconds timeout) const;
    bool waitForEvents(std::size_t count, std::chrono::milliseconds timeout) const;
    bool waitForLine(SerialSignal line, bool on, std::chrono::milliseconds timeout) const;
    bool waitForOpen(bool open, std::chrono::milliseconds timeout) const;

private:
    template <typename Condition>
    bool waitFor(std::chrono::milliseconds timeout, Condition condition) const;

    std::shared_ptr<VirtualCable> cable_;
};

} // namespace drovane
