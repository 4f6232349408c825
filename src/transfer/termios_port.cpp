#include "transfer/termios_port.h"

#include "transfer/flow_control.h"
#include "transfer/termios_config.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drovane {

namespace {

using Clock = LineClock;
using std::chrono::nanoseconds;

constexpr short kGone = POLLHUP | POLLERR | POLLNVAL;

// revents, or 0 when `until` passed first. No `until` waits without limit.
short pollUntil(int fd, short events, std::optional<Clock::time_point> until) {
    pollfd entry{fd, events, 0};
    timespec limit{};
    timespec* limitPointer = nullptr;
    if (until) {
        const auto left = std::max(nanoseconds(0), *until - Clock::now());
        const auto ns = std::chrono::duration_cast<nanoseconds>(left).count();
        limit.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        limit.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        limitPointer = &limit;
    }
    const int ready = ::ppoll(&entry, 1, limitPointer, nullptr);
    return ready > 0 ? entry.revents : 0;
}

std::optional<Clock::time_point> earlier(std::optional<Clock::time_point> a, Clock::time_point b) {
    return a ? std::min(*a, b) : b;
}

// A terminal device and nothing else: the name is looked at through O_PATH
// (which opens no device), so a FIFO, a regular file or a directory is never
// opened for writing and never blocks the open.
UniqueFd openTerminal(const std::string& path) {
    const UniqueFd probe(::open(path.c_str(), O_PATH | O_CLOEXEC));
    struct stat before {};
    if (!probe.valid() || ::fstat(probe.get(), &before) != 0 || !S_ISCHR(before.st_mode)) {
        return {};
    }
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    struct stat after {};
    if (!fd.valid() || ::fstat(fd.get(), &after) != 0 || !S_ISCHR(after.st_mode) ||
        after.st_rdev != before.st_rdev || ::isatty(fd.get()) != 1) {
        return {};
    }
    return fd;
}

void askForLowLatency(int fd) {
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) == 0 && (info.flags & ASYNC_LOW_LATENCY) == 0) {
        info.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &info);
    }
}

} // namespace

std::unique_ptr<TermiosPort> TermiosPort::open(const SerialSettings& settings) {
    const auto values = buildTermios(settings);
    if (!values || !settingsSupported(settings)) {
        return nullptr;
    }
    UniqueFd fd = openTerminal(devicePathForPort(settings.portName));
    if (!fd.valid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 ||
        ::ioctl(fd.get(), TCSETS2, &*values) != 0) {
        return nullptr;
    }
    // Stops other programs; root passes it, which is what the flock is for.
    ::ioctl(fd.get(), TIOCEXCL);
    askForLowLatency(fd.get());
    auto port = std::make_unique<TermiosPort>(Key{}, std::move(fd), settings);
    switch (rtsAtOpen(settings.handshake)) {
    case RtsAtOpen::Lower:
        port->setModemLine(TIOCM_RTS, false);
        break;
    case RtsAtOpen::Raise:
        port->setModemLine(TIOCM_RTS, true);
        break;
    case RtsAtOpen::Keep:
        break;
    }
    port->counterErrors(); // the counters so far are not this transfer's errors
    return port;
}

TermiosPort::TermiosPort(Key /*key*/, UniqueFd fd, const SerialSettings& settings)
    : fd_(std::move(fd)), settings_(settings),
      queue_(inputQueueCapacity(settings), flowLimits(settings.inputBufferSize),
             settings.handshake == Handshake::XonXoff),
      bound_(outputQueueBound(settings.baudRate)),
      characterNs_(characterNanoseconds(settings.baudRate)) {}

TermiosPort::~TermiosPort() {
    // Only what a held line could not send is thrown away, or close() would
    // wait for it; a flush of a drained line can still cost the peer bytes
    // it has not read yet (a pseudo-terminal's queue shows as empty).
    if (!drainOutput()) {
        ::ioctl(fd_.get(), TCFLSH, TCOFLUSH);
    }
    ::ioctl(fd_.get(), TIOCNXCL);
}

bool TermiosPort::drainOutput() {
    if (hungUp_) {
        return false;
    }
    const auto stallLimit = std::max(nanoseconds(50'000'000), nanoseconds(4 * characterNs_));
    int last = -1;
    auto giveUp = Clock::now() + stallLimit;
    for (;;) {
        int queued = 0;
        if (::ioctl(fd_.get(), TIOCOUTQ, &queued) != 0) {
            return false;
        }
        if (queued <= 0) {
            return true;
        }
        const auto now = Clock::now();
        if (last < 0 || queued < last) {
            giveUp = now + stallLimit;
        } else if (now >= giveUp) {
            return false;
        }
        last = queued;
        const auto pause = std::min(nanoseconds(10'000'000), nanoseconds(queued * characterNs_));
        pollUntil(-1, 0, now + pause);
    }
}

void TermiosPort::noteHangUp() {
    hungUp_ = true;
    pending_ |= SerialError::IOE;
}

void TermiosPort::pullInput() {
    std::array<unsigned char, 1024> chunk{};
    for (;;) {
        std::size_t wanted = chunk.size();
        // Without software flow control bytes may wait in the kernel, which
        // then throttles the far end by RTS; with it every byte must be seen.
        if (!queue_.softwareFlow()) {
            wanted = std::min(wanted, queue_.room());
            if (wanted == 0) {
                break;
            }
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

bool TermiosPort::ctsLow() {
    if (!modemLines_) {
        return false;
    }
    int bits = 0;
    if (::ioctl(fd_.get(), TIOCMGET, &bits) != 0) {
        modemLines_ = false; // a pseudo-terminal: nothing can hold it
        return false;
    }
    return (bits & TIOCM_CTS) == 0;
}

TermiosPort::Hold TermiosPort::currentHold() {
    if (queue_.softwareFlow() && queue_.heldByXoff()) {
        return Hold::Xoff;
    }
    if (settings_.handshake == Handshake::RtsCts && ctsLow()) {
        return Hold::Cts;
    }
    if (queuedAtMost_ > bound_) {
        int queued = 0;
        queuedAtMost_ = ::ioctl(fd_.get(), TIOCOUTQ, &queued) == 0
                            ? static_cast<std::size_t>(std::max(queued, 0))
                            : 0;
        if (queuedAtMost_ > bound_) {
            return Hold::Queue;
        }
    }
    return Hold::None;
}

std::size_t TermiosPort::write(const unsigned char* data, std::size_t count) {
    const auto deadline = writeDeadline(timeouts_, count, Clock::now());
    std::size_t sent = 0;
    while (sent < count && sendByte(data[sent], deadline)) {
        ++sent;
    }
    return sent;
}

bool TermiosPort::sendByte(unsigned char byte, std::optional<Clock::time_point> deadline) {
    for (;;) {
        if (queue_.softwareFlow()) {
            pullInput();
        }
        if (hungUp_) {
            pending_ |= SerialError::IOE;
            return false;
        }
        Hold hold = currentHold();
        if (hold == Hold::None) {
            const ssize_t put = ::write(fd_.get(), &byte, 1);
            if (put == 1) {
                ++queuedAtMost_;
                txFull_ = false;
                return true;
            }
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put == 0 || errno != EAGAIN) {
                noteHangUp();
                return false;
            }
            hold = Hold::KernelFull;
        }
        if (deadline && Clock::now() >= *deadline) {
            txFull_ = hold == Hold::Queue || hold == Hold::KernelFull;
            return false;
        }
        waitOut(hold, deadline);
    }
}

void TermiosPort::waitOut(Hold hold, std::optional<Clock::time_point> deadline) {
    short events = queue_.softwareFlow() ? POLLIN : 0;
    auto until = deadline;
    const auto now = Clock::now();
    switch (hold) {
    case Hold::Cts:
        // Modem lines cannot be polled; a millisecond is within what a
        // sender reacts to anyway.
        until = earlier(deadline, now + nanoseconds(1'000'000));
        break;
    case Hold::Queue: {
        const auto excess = static_cast<std::int64_t>(queuedAtMost_ - bound_);
        until = earlier(deadline,
                        now + std::max(nanoseconds(100'000), nanoseconds(excess * characterNs_)));
        break;
    }
    case Hold::KernelFull:
        events |= POLLOUT;
        break;
    case Hold::Xoff:
    case Hold::None:
        break;
    }
    if ((pollUntil(fd_.get(), events, until) & kGone) != 0) {
        noteHangUp();
    }
}

void TermiosPort::waitForInput(std::optional<Clock::time_point> until) {
    if ((pollUntil(fd_.get(), POLLIN, until) & kGone) != 0) {
        pullInput(); // the bytes that came before the hang-up still count
        noteHangUp();
    }
}

std::size_t TermiosPort::read(unsigned char* target, std::size_t count) {
    ReadTimer timer(timeouts_, count, Clock::now());
    std::size_t got = 0;
    for (;;) {
        pullInput();
        const std::size_t taken = queue_.take(target + got, count - got);
        if (taken > 0) {
            got += taken;
            timer.bytesArrived(Clock::now());
            sendDueFlowCharacter();
        }
        if (timer.finished(got) || hungUp_) {
            return got;
        }
        const auto until = timer.deadline(got);
        if (until && Clock::now() >= *until) {
            return got;
        }
        waitForInput(until);
    }
}

std::size_t TermiosPort::inputWaiting() {
    pullInput();
    return queue_.size();
}

bool TermiosPort::awaitInput(LineClock::duration limit) {
    const auto somethingToTake = [this] {
        pullInput();
        return queue_.size() > 0 || hungUp_ || pending_ != SerialError::None;
    };
    if (somethingToTake()) {
        return true;
    }
    waitForInput(Clock::now() + limit);
    return somethingToTake();
}

SerialError TermiosPort::counterErrors() {
    if (!countersWork_) {
        return SerialError::None;
    }
    serial_icounter_struct now{};
    if (::ioctl(fd_.get(), TIOCGICOUNT, &now) != 0) {
        countersWork_ = false; // pseudo-terminals and some adapters keep none
        return SerialError::None;
    }
    SerialError errors = SerialError::None;
    const auto grew = [&errors](int& kept, int current, SerialError flag) {
        if (current != kept) {
            errors |= flag;
        }
        kept = current;
    };
    grew(counters_.frame, now.frame, SerialError::Frame);
    grew(counters_.parity, now.parity, SerialError::RxParity);
    grew(counters_.overrun, now.overrun, SerialError::OverRun);
    grew(counters_.brk, now.brk, SerialError::Break);
    grew(counters_.bufOverrun, now.buf_overrun, SerialError::RxOver);
    return errors;
}

SerialError TermiosPort::takeErrors() {
    SerialError errors = pending_ | counterErrors();
    pending_ = SerialError::None;
    if (queue_.takeOverflow()) {
        errors |= SerialError::RxOver;
    }
    if (txFull_) {
        errors |= SerialError::TxFull;
        txFull_ = false;
    }
    if (queue_.softwareFlow() && queue_.heldByXoff()) {
        errors |= SerialError::XoffReceived;
    }
    if (queue_.xoffSent()) {
        errors |= SerialError::XoffSent;
    }
    if (settings_.handshake == Handshake::RtsCts && ctsLow()) {
        errors |= SerialError::WaitingCTS;
    }
    return errors;
}

bool TermiosPort::setModemLine(int line, bool on) {
    return ::ioctl(fd_.get(), on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

bool TermiosPort::setSignal(SerialSignal signal, int value) {
    const auto low8 = static_cast<unsigned char>(value & 0xFF);
    switch (signal) {
    case SerialSignal::Dtr:
        return setModemLine(TIOCM_DTR, value != 0);
    case SerialSignal::Rts:
        return setModemLine(TIOCM_RTS, value != 0);
    case SerialSignal::Break:
        return ::ioctl(fd_.get(), value != 0 ? TIOCSBRK : TIOCCBRK) == 0;
    case SerialSignal::XonChar:
        queue_.setFlowCharacters(low8, queue_.xoffCharacter());
        return true;
    case SerialSignal::XoffChar:
        queue_.setFlowCharacters(queue_.xonCharacter(), low8);
        return true;
    case SerialSignal::Cts:
    case SerialSignal::Dsr:
    case SerialSignal::Ring:
    case SerialSignal::Rlsd:
        break;
    }
    return false;
}

int TermiosPort::getSignal(SerialSignal signal) {
    int mask = 0;
    switch (signal) {
    case SerialSignal::XonChar:
        return static_cast<signed char>(queue_.xonCharacter());
    case SerialSignal::XoffChar:
        return static_cast<signed char>(queue_.xoffCharacter());
    case SerialSignal::Cts:
        mask = TIOCM_CTS;
        break;
    case SerialSignal::Dsr:
        mask = TIOCM_DSR;
        break;
    case SerialSignal::Ring:
        mask = TIOCM_RI;
        break;
    case SerialSignal::Rlsd:
        mask = TIOCM_CD;
        break;
    case SerialSignal::Dtr:
    case SerialSignal::Rts:
    case SerialSignal::Break:
        return 0;
    }
    int bits = 0;
    if (::ioctl(fd_.get(), TIOCMGET, &bits) != 0) {
        return 0;
    }
    return (bits & mask) != 0 ? 1 : 0;
}

} // namespace drovane
