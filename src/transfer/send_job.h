#pragma once

// Sends the loaded program to the machine: the prepared text between a NUL
// leader and trailer, then the end byte, in runs of bytes per write, under the
// profile's handshake, reporting every step in the log. Runs on the job
// thread; ends by itself on success, failure or abort.

#include "transfer/hold_notes.h"
#include "transfer/job_context.h"
#include "transfer/settings_snapshot.h"

#include <cstdint>
#include <string>

namespace drovane {

class SendJob {
public:
    // `programText` is the program as loaded. The job prepares its own copy,
    // so a further start never sends a text prepared twice. A send that
    // starts inside the program says so in the log, by the line of the file.
    SendJob(const JobContext& context, SettingsSnapshot controls, std::string programText,
            std::size_t firstLine = 1);

    void run();

    // Text bytes that went out, after run().
    std::int64_t bytesSent() const { return count_; }

private:
    enum class Ending : std::uint8_t { Done, AbortAtDsr, AbortAtCts, AbortInText, LineDead };

    void runLocked();
    Ending handshakeAndSend();
    bool dtrDsrProcedure();
    bool rtsProcedure();
    void writeBlind(unsigned char byte, std::int32_t count);
    // After a blind write that fell short: true when a hold kept the bytes
    // back, so they are tried again.
    bool blindWriteHeld();
    Ending sendText();
    // After a text write that fell short at `position` (1-based): false when
    // the port is gone.
    bool writeFailed(std::size_t position, HoldNotes& holds);
    void finish();
    void abortWhileWaiting(SerialSignal lowered);
    void abortInText();
    void log(std::string_view line) const { context_.console.appendLine(line); }

    JobContext context_;
    SettingsSnapshot controls_;
    std::string program_;
    std::string text_;
    std::size_t firstLine_;
    SerialSettings settings_;
    int id_ = 0;
    std::size_t runLength_ = 1;
    std::int64_t count_ = 0;
    // Leader, trailer and end bytes that did not go out.
    std::int64_t lost_ = 0;
    // The port is gone (hang-up, device removed): nothing more is tried.
    bool dead_ = false;
};

} // namespace drovane
