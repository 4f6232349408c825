#pragma once

// The thin layer the transfer jobs move bytes through. Behaves like a Windows
// COM port: one open port at a time per line object, identified by a nonzero
// number; every operation on an identifier that is not open returns 0.

#include "serial/open_failure.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"

#include <chrono>
#include <cstddef>

namespace drovane {

class AbortRequest;

// How often a status line is looked at where nothing can wake its waiter.
inline constexpr std::chrono::milliseconds kStatusLineLook{10};

class SerialLine {
public:
    virtual ~SerialLine() = default;
    SerialLine() = default;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;
    SerialLine(SerialLine&&) = delete;
    SerialLine& operator=(SerialLine&&) = delete;

    // The identifier, or 0 when the port cannot be had; then nothing stays
    // open. The default timeouts apply until setTimeouts.
    virtual int open(const SerialSettings& settings) = 0;
    // Throws away what the port still holds for sending: drain first.
    virtual void close(int id) = 0;
    // Waits until the bytes the port still holds for sending have gone out,
    // as long as the write timeouts allow for them; the count left unsent.
    virtual int drain(int id) = 0;
    // From now on a wait inside write, drain or waitForInput ends within a
    // few milliseconds of `abort` being raised, with what went out so far; a
    // write that need not wait is unaffected. nullptr ends the watch; the
    // request must outlive it.
    virtual void watchAbort(const AbortRequest* abort) = 0;
    // Why the last open gave 0, for the operator; None after one that worked.
    virtual OpenFailure lastOpenFailure() const = 0;
    // From now on the line reports what the operator should know but is no
    // error (a device server that ignores a request) through `notices`, on
    // the thread that uses the line. nullptr ends it; the sink must outlive
    // it. Local ports have nothing to say.
    virtual void watchNotices(const LogSink* notices) { static_cast<void>(notices); }

    // Nonzero on success.
    int setTimeouts(int id, std::uint32_t readInterval, std::uint32_t readTotalConstant,
                    std::uint32_t readTotalMultiplier, std::uint32_t writeTotalConstant,
                    std::uint32_t writeTotalMultiplier) {
        return applyTimeouts(id,
                             SerialTimeouts{readInterval, readTotalConstant, readTotalMultiplier,
                                            writeTotalConstant, writeTotalMultiplier});
    }
    virtual int applyTimeouts(int id, const SerialTimeouts& timeouts) = 0;

    // DTR, RTS and Break: on for nonzero. XON/XOFF character: the low 8 bits.
    // Nonzero on success.
    virtual int setSignal(int id, SerialSignal signal, int value) = 0;
    // Status lines 1 or 0; flow characters as signed 8-bit values; 0 on failure.
    virtual int getSignal(int id, SerialSignal signal) = 0;
    // Blocks until getSignal of the status line reads `on`, true, or until
    // `abort` is raised, false; the line is looked at before the request. A
    // back end that the system tells of a change overrides it; this one
    // looks every kStatusLineLook, woken at once by a raise.
    virtual bool awaitSignal(int id, SerialSignal signal, bool on, const AbortRequest& abort);

    // Received bytes ready for read.
    virtual int inputWaiting(int id) = 0;
    // Returns as soon as bytes are ready, the line has an error or hang-up
    // to report, or `limit` (real time) has passed. True in the first two
    // cases; false at once for an identifier that is not open.
    virtual bool waitForInput(int id, std::chrono::milliseconds limit) = 0;
    // Up to `count` bytes under the read timeouts; the count read.
    virtual int read(int id, void* buffer, int count) = 0;
    // `count` bytes under the write timeouts; the count that went out.
    virtual int write(int id, const void* data, int count) = 0;
    // Line errors since the last call (then cleared) plus the current holds.
    virtual SerialError takeErrors(int id) = 0;
};

} // namespace drovane
