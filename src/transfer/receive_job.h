#pragma once

// Takes one program that the machine outputs: waits for DSR and CTS where
// the profile asks for them, reads whatever bytes are waiting until the end
// character (or the line's end-of-file flag) comes, shows them as they
// arrive, then filters the text and has the window save it. Line errors on
// the way are logged and mark the end; a line that dies ends the run as an
// abort does. Runs on the job thread; ends by itself on success, failure or
// abort.

#include "transfer/hold_notes.h"
#include "transfer/job_context.h"
#include "transfer/line_error_log.h"
#include "transfer/receive_target.h"
#include "transfer/settings_snapshot.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace drovane {

class ReceiveJob {
public:
    ReceiveJob(const JobContext& context, SettingsSnapshot controls, ReceiveTarget& target);

    void run();

    // Characters that reached the program, after run().
    std::int64_t bytesReceived() const { return count_; }

private:
    enum class Ending : std::uint8_t {
        EndCharacter,
        EndOfFile,
        Quiet,
        AbortAtDsr,
        AbortAtCts,
        AbortInLoop,
        LineLost
    };

    void runLocked();
    bool waitForDsr();
    bool waitForCts();
    Ending readLoop();
    // The ending, when the chunk ended the reception.
    std::optional<Ending> readChunk(int waiting);
    std::optional<Ending> readFailed();
    // The line's flags after a pass: its errors, its end-of-file, its death.
    std::optional<Ending> checkLine();
    // How long the line may stay quiet before the reception ends, or
    // nullopt when silence ends nothing (yet).
    std::optional<std::chrono::milliseconds> quietLeft() const;
    void finish(Ending ending);
    void abort(Ending ending);
    void log(std::string_view line) const { context_.console.appendLine(line); }

    JobContext context_;
    SettingsSnapshot controls_;
    ReceiveTarget& target_;
    OverwriteDecision decision_ = OverwriteDecision::NoFileOrEmptyName;
    SerialSettings settings_;
    int id_ = 0;
    std::string program_;
    std::vector<char> buffer_;
    std::int64_t count_ = 0;
    std::int64_t scanPosition_ = 0;
    // Bytes taken from the line, NULs and the end character included.
    std::int64_t bytesRead_ = 0;
    LineErrorLog lineErrors_;
    // Once the line is open.
    std::optional<HoldNotes> holds_;
    bool lastReadGotBytes_ = false;
    std::chrono::microseconds gathering_{0};
    std::chrono::steady_clock::time_point lastBytes_;
};

} // namespace drovane
