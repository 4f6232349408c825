#pragma once

// A patient, well-behaved machine-tool control on the far end of a virtual
// line. It answers DTR with DSR and RTS with CTS, takes a program into a
// small input buffer that it works off at its own pace (holding the line by
// XON/XOFF or CTS when the profile asks, losing what overflows when not),
// keeps the last program it received, and punches it back when our side
// starts reading. It lives as long as its owner; one thread, joined on
// destruction.

#include "machine/delayed_line.h"
#include "machine/machine_input_buffer.h"
#include "serial/line_deadlines.h"
#include "serial/serial_types.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

namespace drovane {

struct VirtualCable;

struct VirtualMachineSettings {
    // The pace the control works its input off, as a baud rate of ten-bit
    // characters.
    std::int32_t workBaud = 9600;
    // Ends a program on reception and on the tape it punches; 0: none.
    unsigned char endCharacter = 4;
};

inline constexpr std::size_t kMachineBufferSize = 256;
inline constexpr std::size_t kMachineHoldLevel = 200;
inline constexpr std::size_t kMachineResumeLevel = 50;
// Milliseconds of line time.
inline constexpr std::uint64_t kMachineAnswerMs = 50;
inline constexpr std::uint64_t kMachinePunchDelayMs = 500;
// Bytes our side may have on the wire before a write waits: a UART's FIFO.
inline constexpr std::size_t kMachineWireFifo = 16;
// Milliseconds of line time between two wake-ups while bytes move.
inline constexpr std::uint64_t kMachineRunMs = 10;

class VirtualMachine {
public:
    using Report = std::function<void(std::string_view line)>;

    explicit VirtualMachine(std::shared_ptr<VirtualCable> cable,
                            VirtualMachineSettings settings = {});
    ~VirtualMachine();
    VirtualMachine(const VirtualMachine&) = delete;
    VirtualMachine& operator=(const VirtualMachine&) = delete;
    VirtualMachine(VirtualMachine&&) = delete;
    VirtualMachine& operator=(VirtualMachine&&) = delete;

    // Called on the machine's thread, one line at a time, in order.
    void setReport(Report report);
    // Take effect at once (end character) or from the next opening (pace).
    void setEndCharacter(unsigned char endCharacter);
    void setWorkBaud(std::int32_t workBaud);

    std::optional<std::string> storedProgram() const;

private:
    // A program coming in, from its first byte until the end character (or
    // the port closing) completes it; bytes after that are not looked at
    // until the next opening.
    enum class Reception : std::uint8_t { Waiting, Receiving, Complete };

    // The punch of one opening: nothing asked yet; asked (our side reads
    // without having sent), the operator at the control by `at`; the tape
    // going out, character by character at line time; done, or broken off.
    struct PunchIdle {};
    struct PunchAsked {
        LineClock::time_point at;
    };
    struct Punching {
        std::string image;
        std::size_t sent = 0;
        LineClock::time_point nextAt;
    };
    struct PunchOver {};
    using Punch = std::variant<PunchIdle, PunchAsked, Punching, PunchOver>;

    void run(const std::stop_token& stop);
    void flushReports(std::unique_lock<std::mutex>& lock);
    // Bytes move on the line: the machine wakes once a run instead of at
    // every byte.
    bool inRuns() const;

    // Everything below runs under the cable's mutex.
    std::optional<LineClock::time_point> step(LineClock::time_point now);
    void arrived(unsigned char byte, LineClock::time_point when);
    void followSession(LineClock::time_point now);
    void beginSession(LineClock::time_point now);
    void followLines(LineClock::time_point now);
    void applyCts();
    void receiveData(unsigned char byte, LineClock::time_point when);
    void holdIfFull(LineClock::time_point when);
    void resumeIfWorkedOff(LineClock::time_point now);
    void concludeReception(bool complete);
    void askForPunch(LineClock::time_point now);
    void startPunch(LineClock::time_point now);
    void punchDue(LineClock::time_point now);
    bool outputAllowed() const;
    bool handshakeIs(Handshake handshake) const { return line_.handshake == handshake; }
    LineClock::duration lineTime(std::uint64_t milliseconds) const;
    LineClock::duration characterTime() const;
    std::optional<LineClock::time_point> nextDeadline() const;

    std::shared_ptr<VirtualCable> cable_;
    VirtualMachineSettings settings_;

    std::mutex reportMutex_;
    Report report_;
    std::vector<std::string> reports_;

    int sessionId_ = 0;
    SerialSettings line_;
    DelayedLine dsr_;
    DelayedLine cts_;
    bool rtsSeen_ = false;
    MachineInputBuffer input_;
    // The buffer is above its hold level: XOFF sent or CTS low.
    bool holding_ = false;
    // Our side sent XOFF (and no XON since).
    bool heldByOurSide_ = false;
    Reception reception_ = Reception::Waiting;
    std::string incoming_;
    std::size_t lost_ = 0;
    std::optional<std::string> stored_;
    Punch punch_;
    // Woken only to stop: a machine in runs waits out its time. Under the
    // cable's mutex.
    std::condition_variable stopped_;

    std::jthread thread_;
};

} // namespace drovane
