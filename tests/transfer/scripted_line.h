#pragma once

// A SerialLine in front of another (the virtual line) that notes every
// action a job takes on it into a RecordingConsole, and lets a test fail
// chosen writes and hand the job its received bytes in chunks of its choice.

#include "recording_console.h"
#include "serial/serial_line.h"

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace drovane {

class ScriptedLine final : public SerialLine {
public:
    using Clock = std::chrono::steady_clock;

    ScriptedLine(SerialLine& inner, RecordingConsole& console) : inner_(inner), console_(console) {}

    // Reception: each chunk is what one inputWaiting reports and the read
    // after it returns; a `waiting` above the size makes a short read. The
    // next takeErrors after the read adds `errors`. Once the script is used
    // up the inner line serves.
    void addChunk(std::string bytes, int waiting = -1, SerialError errors = SerialError::None);
    // inputWaiting reports `waiting`, the read returns 0 and the next
    // takeErrors these flags.
    void addFailedRead(SerialError errors, int waiting = 1);

    // The write with this number (1-based, over all writes) lets only its
    // first `bytesOut` bytes through and the next takeErrors gives these
    // flags.
    void failWrite(int writeNumber, SerialError errors, int bytesOut = 0);
    // The next drain reports this many bytes left unsent.
    void leaveUndrained(int bytes);
    // Called with the number of each write before it is made.
    void onWrite(std::function<void(int)> hook);

    int openedId() const;
    std::vector<Clock::time_point> writeTimes() const;
    SerialSettings openedWith() const;

    int open(const SerialSettings& settings) override;
    void close(int id) override;
    int drain(int id) override;
    void watchAbort(const AbortRequest* abort) override;
    OpenFailure lastOpenFailure() const override;
    int applyTimeouts(int id, const SerialTimeouts& timeouts) override;
    int setSignal(int id, SerialSignal signal, int value) override;
    int getSignal(int id, SerialSignal signal) override;
    bool awaitSignal(int id, SerialSignal signal, bool on, const AbortRequest& abort) override;
    int inputWaiting(int id) override;
    bool waitForInput(int id, std::chrono::milliseconds limit) override;
    int read(int id, void* buffer, int count) override;
    int write(int id, const void* data, int count) override;
    SerialError takeErrors(int id) override;

private:
    struct Chunk {
        std::string bytes;
        SerialError errors = SerialError::None;
        int waiting = 0;
    };

    SerialLine& inner_;
    RecordingConsole& console_;
    mutable std::mutex mutex_;
    std::deque<Chunk> script_;
    bool serving_ = false; // a chunk was reported and not yet read
    struct Failure {
        SerialError errors = SerialError::None;
        int bytesOut = 0;
    };
    std::map<int, Failure> failingWrites_;
    std::function<void(int)> onWrite_;
    SerialError pending_ = SerialError::None;
    int writes_ = 0;
    int undrained_ = 0;
    int openedId_ = 0;
    SerialSettings openedWith_;
    std::vector<Clock::time_point> writeTimes_;
};

} // namespace drovane
