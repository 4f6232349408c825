#pragma once

// The shared state of a virtual null-modem line: what the near end (the
// SerialLine) and the far end (a test or a simulated machine) both touch,
// under one mutex. Every change notifies `changed`.

#include "serial/line_deadlines.h"
#include "serial/receive_queue.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"
#include "serial/virtual/line_event.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace drovane {

// A consumption rate that follows the baud rate and frame the near end was
// opened with: the wire itself is the bottleneck.
inline constexpr std::int32_t kAtLineRate = -1;

struct VirtualCable {
    explicit VirtualCable(double speed) : clockSpeed(speed > 0.0 ? speed : 1.0) {}

    // Bytes in flight whose time has come reach the far end, each with the
    // time it arrived, however late the look.
    void settle(LineClock::time_point now);
    // When the next run of bytes in flight has reached the far end: the
    // whole flight, or what arrives within a step of the first.
    std::optional<LineClock::time_point> nextArrival() const;
    // When no more than `left` bytes are still in flight.
    std::optional<LineClock::time_point> inFlightFallsTo(std::size_t left) const;
    // The far end's wait: a change, the next run arriving, or `until`.
    void waitForChange(std::unique_lock<std::mutex>& lock,
                       std::optional<LineClock::time_point> until);
    // The near end's wait: a change, `until`, or a notify() of the watched
    // abort request. Bytes in flight arrive at whoever looks next.
    void waitForNews(std::unique_lock<std::mutex>& lock,
                     std::optional<LineClock::time_point> until);

    void record(LineEvent::Kind kind, int value);
    void setNearLine(bool& line, LineEvent::Kind kind, bool on);
    void setFarLine(bool& line, LineEvent::Kind kind, bool on);

    // A data byte onto the wire, at the far end's consumption rate; the
    // sender notifies once for its run.
    void sendToFarEnd(unsigned char byte, LineClock::time_point now);
    void sendFromFarEnd(unsigned char byte);
    // The input side's flow character and, under RTS/CTS, its RTS line.
    void inputChanged();
    // A byte (data or flow character) reaches the far end.
    void deliverToFarEnd(unsigned char byte, LineClock::time_point when);

    bool nearOpen() const { return id != 0; }

    const double clockSpeed;
    std::mutex mutex;
    std::condition_variable changed;

    // Near end.
    int id = 0;
    SerialSettings settings;
    SerialTimeouts timeouts;
    std::optional<ReceiveQueue> input;
    bool dtr = false;
    bool rts = false;
    bool breakOn = false;
    bool txFull = false;
    SerialError raised = SerialError::None;
    // The near end has asked for input since it was opened.
    bool nearReading = false;

    // Far end.
    bool dsr = false;
    bool cts = false;
    bool ring = false;
    bool rlsd = false;
    bool connected = true;
    bool refuseOpen = false;
    std::int32_t consumptionBaud = 0;
    std::size_t inputLimit = 0;
    LineClock::time_point wireFreeAt;
    std::deque<std::pair<unsigned char, LineClock::time_point>> inFlight;
    std::string received;
    std::vector<LineEvent> events;
    // Off for a far end that lives as long as the process: nothing piles up.
    bool keepHistory = true;
    // A device at the far end sees every byte as it arrives, under the
    // mutex, so its flow control answers before the near end writes on.
    std::function<void(unsigned char, LineClock::time_point)> onArrival;
};

} // namespace drovane
