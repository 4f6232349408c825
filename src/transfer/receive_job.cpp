#include "transfer/receive_job.h"

#include "core/current_line.h"
#include "core/text.h"
#include "transfer/abort_watch.h"
#include "transfer/chunk_gathering.h"
#include "transfer/job_messages.h"
#include "transfer/job_settings.h"
#include "transfer/job_timeouts.h"
#include "transfer/notice_watch.h"
#include "transfer/open_line.h"
#include "transfer/received_chunk.h"
#include "transfer/sentence.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace drovane {

namespace m = messages;

namespace {

// Bytes, a line error, a hang-up or the watched abort end a wait for input
// at once; the limit only keeps a wake that went astray from lasting.
constexpr std::chrono::milliseconds kQuietLineWait{1000};

} // namespace

ReceiveJob::ReceiveJob(const JobContext& context, SettingsSnapshot controls, ReceiveTarget& target)
    : context_(context), controls_(std::move(controls)), target_(target),
      lineErrors_(context_.console) {}

void ReceiveJob::run() {
    markStep();
    decision_ = target_.checkSaveTarget();
    if (decision_ == OverwriteDecision::InvalidName) {
        return;
    }
    const std::scoped_lock lock(context_.lock);
    runLocked();
}

void ReceiveJob::runLocked() {
    settings_ = serialSettingsFrom(controls_);
    gathering_ = chunkGathering(settings_);
    JobConsole& console = context_.console;
    console.setProgressMaximum(100);
    console.clearLog();
    console.clearEditor();
    console.setProgramText({});
    const AbortWatch watch(context_.line, context_.abort);
    const NoticeWatch notices(context_.line, [this](std::string_view line) { log(line); });
    id_ = openLine(context_.line, settings_, console);
    if (id_ == 0) {
        return;
    }
    holds_.emplace(console, settings_.handshake == Handshake::XonXoff);
    context_.line.applyTimeouts(
        id_, receiveTimeouts(static_cast<std::uint32_t>(number32(controls_.receiveTimeoutField))));
    console.setEditorTabTitle(m::kTabReading);
    console.setStartCaption(m::kCaptionAbort);
    if (!waitForDsr()) {
        abort(Ending::AbortAtDsr);
        return;
    }
    if (!waitForCts()) {
        abort(Ending::AbortAtCts);
        return;
    }
    const Ending ending = readLoop();
    if (ending == Ending::AbortInLoop || ending == Ending::LineLost) {
        abort(ending);
    } else {
        finish(ending);
    }
}

bool ReceiveJob::waitForDsr() {
    if (!controls_.dtrDsrCheck) {
        return true;
    }
    markStep();
    log(m::kWaitingForDsr);
    if (!context_.line.awaitSignal(id_, SerialSignal::Dsr, true, context_.abort)) {
        return false;
    }
    context_.line.setSignal(id_, SerialSignal::Dtr, 1);
    log(m::kDsrArrived);
    return true;
}

bool ReceiveJob::waitForCts() {
    const Handshake handshake = settings_.handshake;
    if (handshake != Handshake::RtsHandshake && handshake != Handshake::RtsCts) {
        return true;
    }
    markStep();
    log(m::kWaitingForCts);
    if (!context_.line.awaitSignal(id_, SerialSignal::Cts, true, context_.abort)) {
        return false;
    }
    log(m::kCtsArrived);
    // Under RTSHANDSHAKE the line has kept RTS up since the open.
    if (handshake == Handshake::RtsCts) {
        context_.line.setSignal(id_, SerialSignal::Rts, 1);
    }
    return true;
}

// Each pass takes only the bytes already waiting, so no read blocks. A quiet
// line is waited on until something happens on it or an abort comes.
ReceiveJob::Ending ReceiveJob::readLoop() {
    markStep();
    // The bar stays at 0 throughout; once is enough to put it there.
    context_.console.setProgressValue(0);
    for (;;) {
        const int waiting = context_.line.inputWaiting(id_);
        lastReadGotBytes_ = false;
        if (waiting > 0) {
            if (const auto ending = readChunk(waiting)) {
                // The program is complete; errors on its way still count.
                lineErrors_.reportNew(context_.line.takeErrors(id_) & kLineErrors, bytesRead_);
                return *ending;
            }
        }
        if (const auto ending = checkLine()) {
            return *ending;
        }
        if (context_.abort.raised()) {
            return Ending::AbortInLoop;
        }
        if (lastReadGotBytes_) {
            context_.abort.waitFor(gathering_);
            continue;
        }
        const auto quiet = quietLeft();
        if (quiet && *quiet <= std::chrono::milliseconds(0)) {
            return Ending::Quiet;
        }
        context_.line.waitForInput(id_, quiet ? std::min(*quiet, kQuietLineWait) : kQuietLineWait);
    }
}

std::optional<ReceiveJob::Ending> ReceiveJob::readChunk(int waiting) {
    buffer_.resize(static_cast<std::size_t>(waiting));
    const int got = context_.line.read(id_, buffer_.data(), waiting);
    if (got <= 0) {
        return readFailed();
    }
    lastReadGotBytes_ = true;
    lastBytes_ = std::chrono::steady_clock::now();
    bytesRead_ += got;
    // Only the bytes read: a short read must not count its unfilled rest as
    // NUL bytes.
    scanPosition_ = got;
    const ReceivedChunk chunk =
        scanReceivedChunk(std::string_view(buffer_.data(), static_cast<std::size_t>(got)),
                          endCharacter(context_.live.endCharField()));
    program_ += chunk.text;
    count_ += static_cast<std::int64_t>(chunk.text.size());
    context_.console.appendEditor(chunk.text);
    if (chunk.endFound) {
        return Ending::EndCharacter;
    }
    context_.console.clearEditorSelection();
    context_.console.replaceLastLine(chunk.heldNul ? std::string(m::kNulBytes)
                                                   : fill(m::kReceived, count_));
    holds_->moved();
    return std::nullopt;
}

std::optional<ReceiveJob::Ending> ReceiveJob::readFailed() {
    const SerialError errors = context_.line.takeErrors(id_);
    if (errors == SerialError::EOFSent) {
        return Ending::EndOfFile;
    }
    if (hasFlag(errors, SerialError::XoffReceived)) {
        lineErrors_.reportNew(errors & kLineErrors, scanPosition_);
        holds_->held();
    } else {
        lineErrors_.reportNew(errors, scanPosition_);
    }
    if (hasFlag(errors, SerialError::IOE)) {
        return Ending::LineLost;
    }
    return std::nullopt;
}

std::optional<ReceiveJob::Ending> ReceiveJob::checkLine() {
    const SerialError errors = context_.line.takeErrors(id_);
    if (errors == SerialError::EOFSent) {
        return Ending::EndOfFile;
    }
    lineErrors_.reportNew(errors & kLineErrors, bytesRead_);
    if (hasFlag(errors, SerialError::IOE)) {
        return Ending::LineLost;
    }
    return std::nullopt;
}

std::optional<std::chrono::milliseconds> ReceiveJob::quietLeft() const {
    const std::chrono::milliseconds quietEnd = context_.timing.quietEnd;
    if (quietEnd.count() <= 0 || bytesRead_ == 0) {
        return std::nullopt;
    }
    return quietEnd - std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - lastBytes_);
}

void ReceiveJob::finish(Ending ending) {
    markStep();
    JobConsole& console = context_.console;
    const LiveTexts live = context_.live.texts();
    console.clearLog();
    if (ending == Ending::EndOfFile) {
        log(m::kEndedByEof);
    } else if (ending == Ending::Quiet) {
        log(fill(
            m::kEndedByQuiet,
            std::chrono::duration_cast<std::chrono::seconds>(context_.timing.quietEnd).count()));
    } else {
        log(fill(m::kEndedByChar, utf8FromWindows1252(live.endCharField)));
    }
    log(lineErrors_.any() ? m::kSucceededWithLineErrors : m::kSucceeded);
    console.setStartCaption(m::kCaptionStart);
    context_.line.setSignal(id_, SerialSignal::Rts, 0);
    if (live.dtrDsrCheck) {
        context_.line.setSignal(id_, SerialSignal::Dtr, 0);
        log(m::kDsrOffSent);
    }
    log(fill(m::kReceived, count_));
    context_.line.close(id_);
    if (isYes(live.receiveControlFilterCombo)) {
        removeControlCharacters(program_);
    }
    console.setEditorTabTitle(m::kTabReceived);
    console.clearLogSelection();
    console.editorCaretToStart();
    console.setProgramText(program_);
    target_.saveProgram(program_, decision_);
}

void ReceiveJob::abort(Ending ending) {
    markStep();
    JobConsole& console = context_.console;
    log(m::kAborted);
    console.setStartCaption(m::kCaptionStart);
    console.setProgressValue(0);
    console.setEditorTabTitle(m::kTabProgram);
    if (ending == Ending::AbortAtDsr) {
        console.clearFileName();
    } else {
        context_.line.setSignal(id_, SerialSignal::Rts, 0);
    }
    context_.line.close(id_);
    console.setProgramText(std::move(program_));
}

} // namespace drovane
