// How a write is held and what wakes it.
//
// Output. write() hands the kernel runs (putRun) that fill its output queue
// up to the bound of write_runs.h, and only when nothing holds them
// (currentHold): an XOFF from the far end (under XON/XOFF; the flow
// characters are read here, the kernel's IXON is off), CTS low (under
// RTS/CTS), a queue at its bound (queuedAtMost_ is an upper bound of that
// queue, so it is only asked when the bound could be reached), or a kernel
// queue that takes nothing (EAGAIN). A pseudo-terminal has no line rate and
// no queue count (its TIOCOUTQ stays 0), so it gets no bound. A held run
// waits in waitOut until input comes (which may be XON), the queue has
// drained to its low mark, a full kernel queue has had time to take a good
// run, a 1 ms look at CTS, the write deadline, or the abort request, whose
// wake signal is polled beside the descriptor (in drain() and awaitInput() too). The loops,
// the wait and the drain themselves are line_engine.h's. drain() waits for the kernel's queue as
// long as the write timeouts allow; the destructor throws away the rest.
//
// Input. pullInput() moves bytes from the kernel into the receive queue,
// never more than the queue has room for: the rest waits in the kernel,
// whose IXOFF (or an RTS under RTS/CTS) stops the far end even while this
// program is not scheduled. The queue swallows the far end's flow
// characters and asks for XOFF/XON by its fill level (sendDueFlowCharacter).
//
// Errors. A hang-up (end of file, POLLHUP, EIO) sets hungUp_ for good and
// IOE once; the driver's counters (TIOCGICOUNT) add overruns, frame, parity
// and break; takeErrors() adds the holds of the moment.

#include "serial/termios/termios_port.h"

#include "serial/flow_characters.h"
#include "serial/flow_control.h"
#include "serial/line_engine.h"
#include "serial/serial_ports.h"
#include "serial/termios/poll_until.h"
#include "serial/termios/terminal_device.h"
#include "serial/termios/termios_config.h"
#include "serial/wake_signal.h"
#include "serial/write_runs.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace drovane {

using Clock = LineClock;
using std::chrono::nanoseconds;

OpenedPort TermiosPort::open(const SerialSettings& settings) {
    const auto values = buildTermios(settings);
    if (!values || !settingsSupported(settings)) {
        return {nullptr, OpenFailure::SettingsRefused};
    }
    OpenFailure failure = OpenFailure::None;
    UniqueFd fd = openTerminal(devicePathForPort(settings.portName), failure);
    if (!fd.valid()) {
        return {nullptr, failure};
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        return {nullptr, OpenFailure::InUse};
    }
    if (::ioctl(fd.get(), TCSETS2, &*values) != 0) {
        return {nullptr, openFailureFromErrno(errno)};
    }
    // What waited for reading from an earlier transfer is no part of this
    // one. Output is left alone: a close leaves none that is ours, and on a
    // pseudo-terminal a flush also drops what the last transfer sent and the
    // kernel has not yet handed to the far end.
    ::ioctl(fd.get(), TCFLSH, TCIFLUSH);
    // Stops other programs; root passes it, which is what the flock is for.
    ::ioctl(fd.get(), TIOCEXCL, nullptr);
    askForLowLatency(fd.get());
    auto port = std::make_unique<TermiosPort>(Key{}, std::move(fd), settings);
    if (const auto rts = rtsLevelAtOpen(settings.handshake)) {
        port->modemLines_.set(SerialSignal::Rts, *rts ? 1 : 0);
    }
    port->counters_.take(port->fd_.get()); // the counts so far are not this transfer's errors
    return {std::move(port), OpenFailure::None};
}

TermiosPort::TermiosPort(Key /*key*/, UniqueFd fd, const SerialSettings& settings)
    : fd_(std::move(fd)), settings_(settings), modemLines_(fd_.get()),
      queue_(inputQueueCapacity(settings), flowLimits(settings.inputBufferSize),
             settings.handshake == Handshake::XonXoff),
      runs_(isPseudoTerminal(fd_.get()) ? unboundedRuns(characterNanoseconds(settings.baudRate))
                                        : runLimits(characterNanoseconds(settings.baudRate))),
      characterNs_(characterNanoseconds(settings.baudRate)) {}

TermiosPort::~TermiosPort() {
    // Whoever needed the bytes has drained; close() must not wait for them.
    const auto queued = outputQueued();
    if (queued && *queued > 0) {
        ::ioctl(fd_.get(), TCFLSH, TCOFLUSH);
    }
    // The request takes no argument, but the call reads one: give it a
    // defined value.
    ::ioctl(fd_.get(), TIOCNXCL, nullptr);
}

std::optional<std::size_t> TermiosPort::outputQueued() const {
    int queued = 0;
    if (hungUp_ || ::ioctl(fd_.get(), TIOCOUTQ, &queued) != 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(std::max(queued, 0));
}

// What the shared drain needs of this port.
struct TermiosPort::DrainSide {
    TermiosPort& port;

    std::optional<std::size_t> outputQueued() const { return port.outputQueued(); }
    void pauseOut(Clock::time_point until) const { pollUntil(-1, 0, port.abortWake(), until); }
    bool abortRaised() const { return port.abort_.raised(); }
};

std::size_t TermiosPort::drain() {
    DrainSide side{*this};
    return drainUnderTimeouts(side, SystemLineClock{}, timeouts_, characterNs_);
}

int TermiosPort::abortWake() const {
    const WakeSignal* wake = abort_.wake();
    return wake != nullptr ? static_cast<int>(wake->native()) : -1;
}

void TermiosPort::noteHangUp() {
    hungUp_ = true;
    pending_ |= SerialError::IOE;
}

void TermiosPort::pullInput() {
    std::array<unsigned char, 1024> chunk{};
    for (;;) {
        // What does not fit waits in the kernel, which throttles the far end;
        // taking it here would mean throwing it away.
        const std::size_t wanted = std::min(chunk.size(), queue_.room());
        if (wanted == 0) {
            break;
        }
        const ssize_t got = ::read(fd_.get(), chunk.data(), wanted);
        if (got > 0) {
            queue_.accept(chunk.data(), static_cast<std::size_t>(got));
            if (static_cast<std::size_t>(got) < wanted) {
                break;
            }
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got == 0 || errno != EAGAIN) {
            noteHangUp();
        }
        break;
    }
    sendDueFlowCharacter();
}

void TermiosPort::sendDueFlowCharacter() {
    const auto due = queue_.flowCharacterDue();
    if (due && !hungUp_ && ::write(fd_.get(), &*due, 1) == 1) {
        queue_.flowCharacterSent(*due);
        ++queuedAtMost_;
    }
}

TermiosPort::Hold TermiosPort::currentHold() {
    if (queue_.softwareFlow() && queue_.heldByXoff()) {
        return Hold::Xoff;
    }
    if (settings_.handshake == Handshake::RtsCts && modemLines_.ctsLow()) {
        return Hold::Cts;
    }
    if (queuedAtMost_ >= runs_.bound) {
        int queued = 0;
        queuedAtMost_ = ::ioctl(fd_.get(), TIOCOUTQ, &queued) == 0
                            ? static_cast<std::size_t>(std::max(queued, 0))
                            : 0;
        if (queuedAtMost_ >= runs_.bound) {
            return Hold::Queue;
        }
    }
    return Hold::None;
}

// What the shared write needs of this port.
struct TermiosPort::OutputSide {
    using Hold = TermiosPort::Hold;
    TermiosPort& port;

    void prepareOutput() const {
        if (port.queue_.softwareFlow()) {
            port.pullInput();
        }
    }
    Hold hold() const { return port.currentHold(); }
    std::size_t put(const unsigned char* data, std::size_t count, Hold& hold) const {
        return port.putRun(data, count, hold);
    }
    bool ended() const { return port.hungUp_; }
    bool abortRaised() const { return port.abort_.raised(); }
    void noteEnded() const { port.pending_ |= SerialError::IOE; }
    void giveUp(Hold hold) const { port.txFull_ = hold == Hold::Queue || hold == Hold::KernelFull; }
    void waitOut(Hold hold, std::optional<Clock::time_point> deadline) const {
        port.waitOut(hold, deadline);
    }
};

std::size_t TermiosPort::write(const unsigned char* data, std::size_t count) {
    OutputSide output{*this};
    return writeUnderTimeouts(output, SystemLineClock{},
                              writeDeadline(timeouts_, count, Clock::now()), data, count);
}

// As many bytes as fit under the queue bound; 0 with KernelFull when the
// kernel takes none, or on a hang-up.
std::size_t TermiosPort::putRun(const unsigned char* data, std::size_t count, Hold& hold) {
    const std::size_t run = std::max<std::size_t>(runLength(runs_, queuedAtMost_, count), 1);
    for (;;) {
        const ssize_t put = ::write(fd_.get(), data, run);
        if (put > 0) {
            queuedAtMost_ += static_cast<std::size_t>(put);
            txFull_ = false;
            return static_cast<std::size_t>(put);
        }
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put == 0 || errno != EAGAIN) {
            noteHangUp();
        }
        hold = Hold::KernelFull;
        return 0;
    }
}

void TermiosPort::waitOut(Hold hold, std::optional<Clock::time_point> deadline) {
    // A full receive queue reads nothing, so input would wake at once for
    // ever; then the XON behind it is looked for when someone has read.
    const bool inputWakes = queue_.softwareFlow() && queue_.room() > 0;
    short events = inputWakes ? POLLIN : 0;
    const auto now = Clock::now();
    auto until = inputWakes ? deadline : earlier(deadline, now + nanoseconds(10'000'000));
    switch (hold) {
    case Hold::Cts:
        // Modem lines cannot be polled; a millisecond is within what a
        // sender reacts to anyway.
        until = earlier(deadline, now + nanoseconds(1'000'000));
        break;
    case Hold::Queue:
        until = earlier(deadline, now + pauseForRoom(runs_, queuedAtMost_));
        break;
    case Hold::KernelFull:
        // Not POLLOUT: that wakes at every few bytes the far end takes.
        until = earlier(deadline, now + pauseWhenFull(runs_));
        break;
    case Hold::Xoff:
    case Hold::None:
        break;
    }
    if ((pollUntil(fd_.get(), events, abortWake(), until) & kDescriptorGone) != 0) {
        noteHangUp();
    }
}

void TermiosPort::waitForInput(std::optional<Clock::time_point> until, int wake) {
    if ((pollUntil(fd_.get(), POLLIN, wake, until) & kDescriptorGone) != 0) {
        pullInput(); // the bytes that came before the hang-up still count
        noteHangUp();
    }
}

// What the shared read and wait for input need of this port.
struct TermiosPort::InputSide {
    TermiosPort& port;

    void refresh() const { port.pullInput(); }
    std::size_t take(unsigned char* target, std::size_t count) const {
        const std::size_t taken = port.queue_.take(target, count);
        if (taken > 0) {
            port.sendDueFlowCharacter();
        }
        return taken;
    }
    std::size_t queued() const { return port.queue_.size(); }
    bool ended() const { return port.hungUp_; }
    bool reportDue() const { return port.hungUp_ || port.pending_ != SerialError::None; }
    bool abortRaised() const { return port.abort_.raised(); }
    void waitForInput(std::optional<Clock::time_point> until, bool abort) const {
        port.waitForInput(until, abort ? port.abortWake() : -1);
    }
};

std::size_t TermiosPort::read(unsigned char* target, std::size_t count) {
    InputSide input{*this};
    return readUnderTimeouts(input, SystemLineClock{}, timeouts_, target, count);
}

std::size_t TermiosPort::inputWaiting() {
    pullInput();
    return queue_.size();
}

bool TermiosPort::awaitInput(LineClock::duration limit) {
    InputSide input{*this};
    return drovane::awaitInput(input, SystemLineClock{}, limit);
}

SerialError TermiosPort::takeErrors() {
    SerialError errors = pending_ | counters_.take(fd_.get()) | takeQueueErrors(queue_);
    pending_ = SerialError::None;
    if (txFull_) {
        errors |= SerialError::TxFull;
        txFull_ = false;
    }
    if (settings_.handshake == Handshake::RtsCts && modemLines_.ctsLow()) {
        errors |= SerialError::WaitingCTS;
    }
    return errors;
}

bool TermiosPort::setSignal(SerialSignal signal, int value) {
    if (setFlowCharacter(queue_, signal, value)) {
        // The kernel's IXOFF throttles with these.
        setKernelFlowCharacters(fd_.get(), queue_.xonCharacter(), queue_.xoffCharacter());
        return true;
    }
    return modemLines_.set(signal, value);
}

int TermiosPort::getSignal(SerialSignal signal) {
    const auto character = flowCharacter(queue_, signal);
    return character ? *character : modemLines_.status(signal);
}

} // namespace drovane
