#pragma once

// One open terminal device driven like a Windows COM port: Windows timeouts,
// output XON/XOFF done here rather than in the kernel (so holds are visible
// and USB adapters that ignore kernel flow control still stop), input
// XON/XOFF by the kernel, the hold and error flags, and a close that never
// hangs.

#include "core/unique_fd.h"
#include "serial/line_deadlines.h"
#include "serial/open_failure.h"
#include "serial/receive_queue.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"
#include "serial/termios/line_counters.h"
#include "serial/termios/modem_lines.h"
#include "serial/watched_abort.h"
#include "serial/write_runs.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace drovane {

class AbortRequest;
class TermiosPort;

struct OpenedPort {
    // Null when the port could not be had; then nothing stays open.
    std::unique_ptr<TermiosPort> port;
    OpenFailure failure = OpenFailure::None;
};

class TermiosPort {
    struct Key {};

public:
    // Fails when the name is no terminal device, the device is in use or
    // refuses the settings, and tells which.
    static OpenedPort open(const SerialSettings& settings);
    TermiosPort(Key key, UniqueFd fd, const SerialSettings& settings);
    ~TermiosPort();
    TermiosPort(const TermiosPort&) = delete;
    TermiosPort& operator=(const TermiosPort&) = delete;
    TermiosPort(TermiosPort&&) = delete;
    TermiosPort& operator=(TermiosPort&&) = delete;

    bool setTimeouts(const SerialTimeouts& timeouts) {
        timeouts_ = timeouts;
        return true;
    }
    void watchAbort(const AbortRequest* abort) { abort_.watch(abort); }
    bool setSignal(SerialSignal signal, int value);
    int getSignal(SerialSignal signal);
    // Looks every kStatusLineLook (termios_signal_wait.cpp).
    bool awaitSignal(SerialSignal signal, bool on, const AbortRequest& abort);
    std::size_t inputWaiting();
    // True as soon as bytes wait or an error or hang-up waits to be taken;
    // false when `limit` passed or a watched abort came first.
    bool awaitInput(LineClock::duration limit);
    std::size_t read(unsigned char* target, std::size_t count);
    std::size_t write(const unsigned char* data, std::size_t count);
    SerialError takeErrors();
    // The bytes still queued for sending once the write timeouts ran out.
    std::size_t drain();

private:
    enum class Hold : std::uint8_t { None, Xoff, Cts, Queue, KernelFull };
    struct InputSide;
    struct OutputSide;
    struct DrainSide;

    void pullInput();
    void sendDueFlowCharacter();
    std::size_t putRun(const unsigned char* data, std::size_t count, Hold& hold);
    Hold currentHold();
    void waitOut(Hold hold, std::optional<LineClock::time_point> deadline);
    // `wake` ends the wait too (-1: nothing but input and time).
    void waitForInput(std::optional<LineClock::time_point> until, int wake);
    void noteHangUp();
    // The abort request's wake descriptor, -1 when none is watched.
    int abortWake() const;
    std::optional<std::size_t> outputQueued() const;

    UniqueFd fd_;
    SerialSettings settings_;
    SerialTimeouts timeouts_;
    WatchedAbort abort_;
    ModemLines modemLines_;
    ReceiveQueue queue_;
    RunLimits runs_;
    std::int64_t characterNs_;
    // An upper bound of the kernel's output queue, so that it is only asked
    // when the bound could be passed.
    std::size_t queuedAtMost_ = 0;
    bool hungUp_ = false;
    bool txFull_ = false;
    SerialError pending_ = SerialError::None;
    LineCounters counters_;
};

} // namespace drovane
