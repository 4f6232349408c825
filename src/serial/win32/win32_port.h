#pragma once

// One open COM port driven through the Windows communications API. Writes
// wait for a held line in short slices, so that an abort ends them and
// close never waits for the line.

#include "serial/open_failure.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"
#include "serial/watched_abort.h"
#include "serial/win32/comm_handle.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <windows.h>

namespace drovane {

class AbortRequest;
class Win32Port;

struct OpenedWin32Port {
    // Null when the port could not be had; then nothing stays open.
    std::unique_ptr<Win32Port> port;
    OpenFailure failure = OpenFailure::None;
};

class Win32Port {
    struct Key {};

public:
    static OpenedWin32Port open(const SerialSettings& settings);
    Win32Port(Key key, CommHandle device, SerialSettings settings);
    ~Win32Port();
    Win32Port(const Win32Port&) = delete;
    Win32Port& operator=(const Win32Port&) = delete;
    Win32Port(Win32Port&&) = delete;
    Win32Port& operator=(Win32Port&&) = delete;

    bool setTimeouts(const SerialTimeouts& timeouts);
    void watchAbort(const AbortRequest* abort) { abort_.watch(abort); }
    bool setSignal(SerialSignal signal, int value);
    int getSignal(SerialSignal signal) const;
    std::size_t inputWaiting();
    // True as soon as bytes or line errors wait or the port is gone; false
    // when `limit` passed first.
    bool awaitInput(std::chrono::steady_clock::duration limit);
    std::size_t read(unsigned char* target, std::size_t count);
    std::size_t write(const unsigned char* data, std::size_t count);
    SerialError takeErrors();
    // The bytes still queued for sending once the write timeouts ran out.
    std::size_t drain();

private:
    struct InputSide;
    struct OutputSide;
    struct DrainSide;

    // False when the port is gone.
    bool noteTransferError(DWORD error);
    std::optional<COMSTAT> fetchStatus();
    bool setFlowCharacter(SerialSignal signal, int value);

    CommHandle device_;
    SerialSettings settings_;
    SerialTimeouts timeouts_;
    WatchedAbort abort_;
    // Line errors fetched by inputWaiting or a wait, kept for takeErrors.
    SerialError pending_ = SerialError::None;
    SerialError holds_ = SerialError::None;
    // The last write ran out of its time (not stopped by an abort).
    bool writeTimedOut_ = false;
    // The write under way failed, or its last WriteFile waited out its slice.
    bool writeFailed_ = false;
    bool sliceRanOut_ = false;
};

} // namespace drovane
