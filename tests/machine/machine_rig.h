#pragma once

// Drives the near end of a line the way the transfer jobs do, and collects
// what the virtual machine reports. Every wait has a generous real-time
// guard, so a fault fails the test instead of hanging it.

#include "machine/virtual_machine.h"
#include "serial/serial_line.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

inline constexpr std::chrono::seconds kGuard{20};

class ReportLog {
public:
    VirtualMachine::Report sink();
    bool waitFor(std::string_view line);
    bool has(std::string_view line) const;
    bool waitForStart(std::string_view prefix);
    std::vector<std::string> lines() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::condition_variable added_;
    std::vector<std::string> lines_;
};

struct SendOutcome {
    bool complete = false;
    std::size_t xoffHolds = 0; // failed writes with XoffReceived
    std::size_t ctsHolds = 0;  // failed writes with WaitingCTS
    SerialError otherErrors = SerialError::None;
};

struct SendPlan {
    std::string text;
    int leader = 0;
    int trailer = 0;
    unsigned char endCharacter = 0x04;
    bool dtrDsr = false;
    // Write total multiplier per byte, ms of line time.
    std::uint32_t writeTimeout = 300;
};

// Leader, text, trailer and end byte, one byte a write, each retried until it
// goes out, after the DTR/DSR and RTS/CTS procedures the profile asks for.
SendOutcome sendAsJob(SerialLine& line, const SerialSettings& settings, const SendPlan& plan);

struct ReceivePlan {
    unsigned char endCharacter = 0x04;
    bool dtrDsr = false;
    // Closes the port once this many bytes came in (an abort).
    std::size_t abortAfter = static_cast<std::size_t>(-1);
};

// Every byte read until the end character (included) or the abort.
std::string receiveAsJob(SerialLine& line, const SerialSettings& settings, const ReceivePlan& plan);

} // namespace drovane
