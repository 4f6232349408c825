// Reads run under the driver's timeouts as given, so only the wait for
// input is the engine's (line_engine.h's InputWatch: the driver takes the
// bytes out itself). Writes are the engine's loop with the deadline kept
// here: the driver lets one WriteFile wait at most a slice, and a WriteFile
// that waited out its slice holds the write until the deadline and the
// abort request have been looked at. A run that need not wait costs one
// WriteFile, as it would bare. Line errors a look at the port fetches
// (ClearCommError clears them) are kept for takeErrors.

#include "serial/win32/win32_port.h"

#include "core/text.h"
#include "serial/character_frame.h"
#include "serial/flow_control.h"
#include "serial/line_engine.h"
#include "serial/output_drain.h"
#include "serial/serial_ports.h"
#include "serial/serial_ports_win32.h"
#include "serial/win32/comm_errors.h"
#include "serial/win32/comm_timeouts.h"
#include "serial/win32/device_control_block.h"
#include "serial/win32/escape_function.h"
#include "serial/win32/queue_sizes.h"
#include "serial/win32/unreported_hold.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace drovane {

namespace {

using Clock = LineClock;

// How often a wait for input looks at the port: no more than a hundred
// wake-ups a second, well within what a reception notices.
constexpr std::chrono::milliseconds kInputLook{10};

constexpr DWORD kPurgeInput = PURGE_RXABORT | PURGE_RXCLEAR;
constexpr DWORD kPurgeAll = kPurgeInput | PURGE_TXABORT | PURGE_TXCLEAR;

struct ModemLine {
    SerialSignal signal;
    DWORD mask;
};

constexpr std::array<ModemLine, 4> kModemLines{{
    {SerialSignal::Cts, MS_CTS_ON},
    {SerialSignal::Dsr, MS_DSR_ON},
    {SerialSignal::Ring, MS_RING_ON},
    {SerialSignal::Rlsd, MS_RLSD_ON},
}};

// A transfer that ended by its timeout or by a cancel: the line is fine.
bool endedInTime(DWORD error) {
    return error == ERROR_SUCCESS || error == ERROR_OPERATION_ABORTED || error == ERROR_TIMEOUT ||
           error == ERROR_SEM_TIMEOUT || error == ERROR_COUNTER_TIMEOUT;
}

DWORD transferSize(std::size_t count) {
    return static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
}

} // namespace

OpenedWin32Port Win32Port::open(const SerialSettings& settings) {
    if (!settingsSupported(settings)) {
        return {nullptr, OpenFailure::SettingsRefused};
    }
    // No sharing: a second program (or a second open here) is refused.
    // Synchronous: a held write ends by its slice, and overlapped calls
    // cost Wine three times as much per byte.
    CommHandle device(::CreateFileW(deviceFileForPort(settings.portName).c_str(),
                                    GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
    if (!device.valid()) {
        return {nullptr, openFailureFromWindowsError(::GetLastError())};
    }
    if (const auto sizes = queueSizes(settings)) {
        // A driver that keeps its own sizes still carries the transfer.
        ::SetupComm(device.get(), sizes->input, sizes->output);
    }
    DCB current{};
    current.DCBlength = sizeof(DCB);
    if (::GetCommState(device.get(), &current) == FALSE) {
        return {nullptr, OpenFailure::NotSerial};
    }
    const DcbRequest request = [&device](DCB dcb) {
        return ::SetCommState(device.get(), &dcb) != FALSE;
    };
    if (!applyDcb(buildDcb(current, settings), request)) {
        return {nullptr, OpenFailure::SettingsRefused};
    }
    COMMTIMEOUTS timeouts = slicedForWrites(commTimeouts(SerialTimeouts{}));
    if (::SetCommTimeouts(device.get(), &timeouts) == FALSE) {
        return {nullptr, OpenFailure::DeviceFailed};
    }
    // What waited for reading from an earlier transfer, and its errors, are
    // no part of this one. Output is left alone: a close leaves none that is
    // ours, and under Wine a purge drops what the last transfer sent and a
    // pseudo-terminal has not yet handed to the far end.
    ::PurgeComm(device.get(), kPurgeInput);
    DWORD oldErrors = 0;
    ::ClearCommError(device.get(), &oldErrors, nullptr);
    return {std::make_unique<Win32Port>(Key{}, std::move(device), settings), OpenFailure::None};
}

Win32Port::Win32Port(Key /*key*/, CommHandle device, SerialSettings settings)
    : device_(std::move(device)), settings_(std::move(settings)) {}

Win32Port::~Win32Port() {
    // Whoever needed the bytes has drained; close must not wait for what is
    // still queued. Only what is queued: Wine flushes the far end of a
    // pseudo-terminal too, bytes that have left the port already.
    const auto status = fetchStatus();
    ::PurgeComm(device_.get(), status && status->cbOutQue == 0 ? kPurgeInput : kPurgeAll);
}

bool Win32Port::setTimeouts(const SerialTimeouts& timeouts) {
    COMMTIMEOUTS values = slicedForWrites(commTimeouts(timeouts));
    if (::SetCommTimeouts(device_.get(), &values) == FALSE) {
        return false;
    }
    timeouts_ = timeouts;
    return true;
}

bool Win32Port::noteTransferError(DWORD error) {
    if (endedInTime(error)) {
        return true;
    }
    pending_ |= SerialError::IOE;
    return false;
}

// What the shared write needs of this port.
struct Win32Port::OutputSide {
    enum class Hold : std::uint8_t { None, Slice };
    Win32Port& port;

    static void prepareOutput() {}
    Hold hold() const { return std::exchange(port.sliceRanOut_, false) ? Hold::Slice : Hold::None; }
    std::size_t put(const unsigned char* data, std::size_t count, Hold& hold) const {
        const DWORD wanted = transferSize(count);
        DWORD done = 0;
        if (::WriteFile(port.device_.get(), data, wanted, &done, nullptr) == FALSE &&
            !port.noteTransferError(::GetLastError())) {
            port.writeFailed_ = true;
        }
        port.sliceRanOut_ = done > 0 && done < wanted;
        if (done == 0) {
            hold = Hold::Slice;
        }
        return done;
    }
    bool ended() const { return port.writeFailed_; }
    bool abortRaised() const { return port.abort_.raised(); }
    void noteEnded() const { port.pending_ |= SerialError::IOE; }
    void giveUp(Hold /*hold*/) const { port.writeTimedOut_ = !port.abort_.raised(); }
    // The WriteFile that came back held has waited its slice already.
    static void waitOut(Hold /*hold*/, std::optional<Clock::time_point> /*deadline*/) {}
};

std::size_t Win32Port::write(const unsigned char* data, std::size_t count) {
    writeTimedOut_ = false;
    writeFailed_ = false;
    sliceRanOut_ = false;
    OutputSide output{*this};
    return writeUnderTimeouts(output, SystemLineClock{},
                              writeDeadline(timeouts_, count, Clock::now()), data, count);
}

std::size_t Win32Port::read(unsigned char* target, std::size_t count) {
    DWORD done = 0;
    if (::ReadFile(device_.get(), target, transferSize(count), &done, nullptr) == FALSE) {
        noteTransferError(::GetLastError());
    }
    return done;
}

std::optional<COMSTAT> Win32Port::fetchStatus() {
    DWORD errors = 0;
    COMSTAT status{};
    if (::ClearCommError(device_.get(), &errors, &status) == FALSE) {
        pending_ |= SerialError::IOE;
        holds_ = SerialError::None;
        return std::nullopt;
    }
    const SerialError flags = serialErrorsFrom(errors, status);
    pending_ |= flags & kLineErrors;
    holds_ = flags & (kHoldFlags | SerialError::EOFSent);
    return status;
}

std::size_t Win32Port::inputWaiting() {
    const auto status = fetchStatus();
    return status ? status->cbInQue : 0;
}

// What the shared wait for input needs of this port. Polled: Wine's
// WaitCommEvent gives up on a port without modem lines. An abort ends the
// pause at once.
struct Win32Port::InputSide {
    Win32Port& port;
    std::optional<COMSTAT> status;

    void refresh() { status = port.fetchStatus(); }
    std::size_t queued() const { return status ? status->cbInQue : 0; }
    bool reportDue() const { return !status || port.pending_ != SerialError::None; }
    bool abortRaised() const { return port.abort_.raised(); }
    void waitForInput(std::optional<Clock::time_point> until, bool /*abort*/) const {
        port.abort_.pauseUntil(*earlier(until, Clock::now() + kInputLook));
    }
};

bool Win32Port::awaitInput(Clock::duration limit) {
    InputSide input{*this, std::nullopt};
    return drovane::awaitInput(input, SystemLineClock{}, limit);
}

SerialError Win32Port::takeErrors() {
    fetchStatus();
    const SerialError errors =
        withUnreportedHold(pending_ | holds_, settings_.handshake, writeTimedOut_);
    pending_ = SerialError::None;
    return errors;
}

// What the shared drain needs of this port.
struct Win32Port::DrainSide {
    Win32Port& port;

    std::optional<std::size_t> outputQueued() const {
        const auto status = port.fetchStatus();
        return status ? std::optional<std::size_t>(status->cbOutQue) : std::nullopt;
    }
    void pauseOut(Clock::time_point until) const { port.abort_.pauseUntil(until); }
    bool abortRaised() const { return port.abort_.raised(); }
};

std::size_t Win32Port::drain() {
    const auto character = std::chrono::duration_cast<std::chrono::nanoseconds>(
        characterTime(settings_, settings_.baudRate));
    DrainSide side{*this};
    return drainUnderTimeouts(side, SystemLineClock{}, timeouts_, character.count());
}

bool Win32Port::setFlowCharacter(SerialSignal signal, int value) {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (::GetCommState(device_.get(), &dcb) == FALSE) {
        return false;
    }
    const auto character = static_cast<char>(value & 0xFF);
    (signal == SerialSignal::XonChar ? dcb.XonChar : dcb.XoffChar) = character;
    return ::SetCommState(device_.get(), &dcb) != FALSE;
}

bool Win32Port::setSignal(SerialSignal signal, int value) {
    if (signal == SerialSignal::XonChar || signal == SerialSignal::XoffChar) {
        return setFlowCharacter(signal, value);
    }
    const auto function = escapeFunction(signal, value);
    return function && ::EscapeCommFunction(device_.get(), *function) != FALSE;
}

int Win32Port::getSignal(SerialSignal signal) const {
    if (signal == SerialSignal::XonChar || signal == SerialSignal::XoffChar) {
        DCB dcb{};
        dcb.DCBlength = sizeof(DCB);
        if (::GetCommState(device_.get(), &dcb) == FALSE) {
            return 0;
        }
        return static_cast<signed char>(signal == SerialSignal::XonChar ? dcb.XonChar
                                                                        : dcb.XoffChar);
    }
    const auto* line =
        std::find_if(kModemLines.begin(), kModemLines.end(),
                     [signal](const ModemLine& entry) { return entry.signal == signal; });
    DWORD status = 0;
    if (line == kModemLines.end() || ::GetCommModemStatus(device_.get(), &status) == FALSE) {
        return 0;
    }
    return (status & line->mask) != 0 ? 1 : 0;
}

} // namespace drovane
