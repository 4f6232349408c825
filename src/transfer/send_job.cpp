#include "transfer/send_job.h"

#include "core/current_line.h"
#include "transfer/job_messages.h"
#include "transfer/job_settings.h"
#include "transfer/log_text.h"
#include "transfer/signal_wait.h"
#include "transfer/transmit_text.h"

#include <mutex>
#include <utility>

namespace drovane {

namespace m = messages;

SendJob::SendJob(const JobContext& context, SettingsSnapshot controls, std::string programText)
    : context_(context), controls_(std::move(controls)), program_(std::move(programText)) {}

void SendJob::run() {
    markStep();
    if (controls_.fileNameField.empty()) {
        return;
    }
    const std::scoped_lock lock(context_.lock);
    runLocked();
}

void SendJob::runLocked() {
    settings_ = serialSettingsFrom(controls_);
    text_ = prepareTransmitText(program_, transmitOptionsFrom(controls_));
    context_.console.setProgressMaximum(static_cast<std::int64_t>(text_.size()));
    context_.console.setProgressValue(0);
    if (!openLine()) {
        return;
    }
    context_.line.setTimeouts(id_, 100, 100, 100, 10,
                              static_cast<std::uint32_t>(number32(controls_.sendTimeoutField)));
    context_.console.setStartCaption(m::kCaptionAbort);
    switch (handshakeAndSend()) {
    case Ending::Done:
        finish();
        break;
    case Ending::AbortAtDsr:
        abortWhileWaiting(SerialSignal::Dtr);
        break;
    case Ending::AbortAtCts:
        abortWhileWaiting(SerialSignal::Rts);
        break;
    case Ending::AbortInText:
        abortInText();
        break;
    }
}

bool SendJob::openLine() {
    markStep();
    id_ = context_.line.open(settings_);
    if (id_ == 0) {
        log(m::kOpenFailed);
        if (const std::string_view reason = openFailureLine(context_.line.lastOpenFailure());
            !reason.empty()) {
            log(reason);
        }
        return false;
    }
    log(numberLine(m::kOpenedBefore, id_, m::kOpenedAfter));
    return true;
}

SendJob::Ending SendJob::handshakeAndSend() {
    if (!dtrDsrProcedure()) {
        return Ending::AbortAtDsr;
    }
    if (!rtsProcedure()) {
        return Ending::AbortAtCts;
    }
    writeBlind(0x00, number32(controls_.leaderCountField));
    if (!sendText()) {
        return Ending::AbortInText;
    }
    writeBlind(0x00, number32(controls_.trailerCountField));
    writeBlind(endCharacter(controls_.endCharField), 1);
    return Ending::Done;
}

bool SendJob::dtrDsrProcedure() {
    if (!controls_.dtrDsrCheck) {
        return true;
    }
    markStep();
    context_.line.setSignal(id_, SerialSignal::Dtr, 1);
    log(m::kDtrOnSent);
    if (!waitForSignal(context_.line, id_, SerialSignal::Dsr, context_.abort,
                       context_.timing.idlePoll)) {
        return false;
    }
    log(m::kDsrOnReceived);
    return true;
}

bool SendJob::rtsProcedure() {
    const Handshake handshake = settings_.handshake;
    if (handshake != Handshake::RtsCts && handshake != Handshake::RtsHandshake) {
        return true;
    }
    markStep();
    context_.line.setSignal(id_, SerialSignal::Rts, 1);
    if (handshake == Handshake::RtsHandshake) {
        log(m::kRtsSentSending);
        return true;
    }
    log(m::kRtsSentWaiting);
    if (!waitForSignal(context_.line, id_, SerialSignal::Cts, context_.abort,
                       context_.timing.idlePoll)) {
        return false;
    }
    log(m::kCtsReceived);
    return true;
}

// Leader, trailer and end byte: results ignored, no abort polling. Only the
// window going away stops them, so that a huge count cannot keep the
// program from ending.
void SendJob::writeBlind(unsigned char byte, std::int32_t count) {
    markStep();
    for (std::int32_t i = 0; i < count && !context_.abort.shuttingDown(); ++i) {
        context_.line.write(id_, &byte, 1);
    }
}

bool SendJob::sendText() {
    markStep();
    const bool xonXoff = settings_.handshake == Handshake::XonXoff;
    bool holdShown = false;
    bool resumeShown = false;
    std::size_t position = 1;
    while (position <= text_.size()) {
        const auto byte = static_cast<unsigned char>(text_[position - 1]);
        const int written = context_.line.write(id_, &byte, 1);
        if (written > 0) {
            count_ += written;
            context_.console.setProgressValue(static_cast<std::int64_t>(position));
            if (xonXoff && !resumeShown) {
                log(m::kXonReceived);
                resumeShown = true;
                holdShown = false;
            }
            ++position;
        } else {
            writeFailed(position, xonXoff, holdShown, resumeShown);
        }
        context_.console.clearLogSelection();
        if (context_.abort.raised()) {
            return false;
        }
    }
    return true;
}

// A hold by XOFF is retried at once (the write timeout paces it); anything
// else is reported and retried after the delay.
void SendJob::writeFailed(std::size_t position, bool xonXoff, bool& holdShown, bool& resumeShown) {
    const SerialError errors = context_.line.takeErrors(id_);
    if (!hasFlag(errors, SerialError::XoffReceived)) {
        log(numberLine(m::kSerialErrorBefore, static_cast<std::int64_t>(position),
                       m::kSerialErrorAfter));
        reportSerialErrors(errors, [this](std::string_view line) { log(line); });
        log(m::kRetryInOneSecond);
        context_.abort.waitFor(context_.timing.retryDelay);
        return;
    }
    if (xonXoff && !holdShown) {
        log(m::kXoffReceived);
        holdShown = true;
        resumeShown = false;
    }
}

void SendJob::finish() {
    markStep();
    if (controls_.dtrDsrCheck) {
        context_.line.setSignal(id_, SerialSignal::Dtr, 0);
        log(m::kDtrOffSent);
    }
    context_.line.close(id_);
    log(numberLine(m::kSentBefore, count_, m::kSentAfter));
    context_.console.setStartCaption(m::kCaptionStart);
    context_.console.clearFileName();
    context_.console.clearLogSelection();
}

void SendJob::abortWhileWaiting(SerialSignal lowered) {
    markStep();
    log(m::kAborted);
    context_.console.clearFileName();
    context_.console.setStartCaption(m::kCaptionStart);
    context_.console.setProgressValue(0);
    context_.line.setSignal(id_, lowered, 0);
    context_.line.close(id_);
}

void SendJob::abortInText() {
    markStep();
    log(m::kAborted);
    context_.console.setStartCaption(m::kCaptionStart);
    context_.console.clearFileName();
    context_.line.setSignal(id_, SerialSignal::Rts, 0);
    context_.console.setProgressValue(0);
    context_.line.close(id_);
    context_.console.clearLogSelection();
}

} // namespace drovane
