#include "transfer/send_job.h"

#include "core/current_line.h"
#include "transfer/abort_watch.h"
#include "transfer/job_messages.h"
#include "transfer/job_settings.h"
#include "transfer/job_timeouts.h"
#include "transfer/line_error_log.h"
#include "transfer/notice_watch.h"
#include "transfer/open_line.h"
#include "transfer/send_run.h"
#include "transfer/sentence.h"
#include "transfer/transmit_text.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <mutex>
#include <utility>
#include <vector>

namespace drovane {

namespace m = messages;

namespace {

// A CR LF, a lone CR or a lone LF: the line ends as the editor shows them.
bool endsLine(std::string_view text, std::size_t index) {
    const char byte = text[index];
    return byte == '\n' || (byte == '\r' && (index + 1 == text.size() || text[index + 1] != '\n'));
}

// Tells the console which line goes out, looking at the clock once a run.
class SendPosition {
public:
    static constexpr auto Interval = std::chrono::milliseconds(100);

    SendPosition(JobConsole& console, std::string_view text) : console_(console), text_(text) {
        report(0);
    }
    // The bytes [from, to) of the text went out.
    void moved(std::size_t from, std::size_t to) {
        const std::size_t before = line_;
        for (std::size_t index = from; index < to; ++index) {
            line_ += endsLine(text_, index) ? 1 : 0;
        }
        if (line_ != before && std::chrono::steady_clock::now() - shown_ >= Interval) {
            report(to);
        }
    }

private:
    void report(std::size_t sent) {
        shown_ = std::chrono::steady_clock::now();
        console_.showSendPosition(line_, static_cast<std::int64_t>(text_.size() - sent));
    }

    JobConsole& console_;
    std::string_view text_;
    std::size_t line_ = 0;
    std::chrono::steady_clock::time_point shown_;
};

} // namespace

SendJob::SendJob(const JobContext& context, SettingsSnapshot controls, std::string programText,
                 std::size_t firstLine)
    : context_(context), controls_(std::move(controls)), program_(std::move(programText)),
      firstLine_(firstLine) {}

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
    const AbortWatch watch(context_.line, context_.abort);
    const NoticeWatch notices(context_.line, [this](std::string_view line) { log(line); });
    if (firstLine_ > 1) {
        log(fill(m::kStartLine, static_cast<std::int64_t>(firstLine_)));
    }
    id_ = openLine(context_.line, settings_, context_.console);
    if (id_ == 0) {
        return;
    }
    runLength_ = sendRunLength(settings_);
    context_.line.applyTimeouts(
        id_, sendTimeouts(static_cast<std::uint32_t>(number32(controls_.sendTimeoutField)),
                          wireMilliseconds(settings_, runLength_)));
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
    case Ending::LineDead:
        abortInText();
        break;
    }
}

SendJob::Ending SendJob::handshakeAndSend() {
    if (!dtrDsrProcedure()) {
        return Ending::AbortAtDsr;
    }
    if (!rtsProcedure()) {
        return Ending::AbortAtCts;
    }
    writeBlind(0x00, number32(controls_.leaderCountField));
    if (dead_) {
        return Ending::LineDead;
    }
    if (const Ending ending = sendText(); ending != Ending::Done) {
        return ending;
    }
    writeBlind(0x00, number32(controls_.trailerCountField));
    writeBlind(endCharacter(controls_.endCharField), 1);
    return dead_ ? Ending::LineDead : Ending::Done;
}

bool SendJob::dtrDsrProcedure() {
    if (!controls_.dtrDsrCheck) {
        return true;
    }
    markStep();
    context_.line.setSignal(id_, SerialSignal::Dtr, 1);
    log(m::kDtrOnSent);
    if (!context_.line.awaitSignal(id_, SerialSignal::Dsr, true, context_.abort)) {
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
    if (!context_.line.awaitSignal(id_, SerialSignal::Cts, true, context_.abort)) {
        return false;
    }
    log(m::kCtsReceived);
    return true;
}

// Leader, trailer and end byte: results ignored, no abort polling. Only the
// window going away stops them, so that a huge count cannot keep the
// program from ending. A byte that a failure (not a hold) kept back is lost.
void SendJob::writeBlind(unsigned char byte, std::int32_t count) {
    markStep();
    const std::vector<unsigned char> run(
        std::min(runLength_, static_cast<std::size_t>(std::max(count, 0))), byte);
    std::int64_t left = count;
    while (left > 0 && !context_.abort.shuttingDown() && !dead_) {
        const int length = static_cast<int>(std::min<std::int64_t>(left, std::ssize(run)));
        const int written = context_.line.write(id_, run.data(), length);
        left -= written;
        if (written < length && !blindWriteHeld()) {
            ++lost_;
            --left;
        }
    }
}

// A hold by XOFF or CTS is waited out as for the text, silently; a dead port
// ends the send.
bool SendJob::blindWriteHeld() {
    const SerialError errors = context_.line.takeErrors(id_);
    if (hasFlag(errors, SerialError::IOE)) {
        reportSerialErrors(errors, [this](std::string_view line) { log(line); });
        dead_ = true;
        return false;
    }
    return !context_.abort.raised() &&
           hasFlag(errors, SerialError::XoffReceived | SerialError::WaitingCTS);
}

SendJob::Ending SendJob::sendText() {
    markStep();
    HoldNotes holds(context_.console, settings_.handshake == Handshake::XonXoff);
    SendPosition sent(context_.console, text_);
    // Of the first byte not sent yet.
    std::size_t position = 1;
    while (position <= text_.size()) {
        const std::size_t length = std::min(runLength_, text_.size() - position + 1);
        const int written =
            context_.line.write(id_, text_.data() + position - 1, static_cast<int>(length));
        if (written > 0) {
            count_ += written;
            sent.moved(position - 1, position - 1 + static_cast<std::size_t>(written));
            position += static_cast<std::size_t>(written);
            context_.console.setProgressValue(static_cast<std::int64_t>(position - 1));
            holds.moved();
        }
        if (static_cast<std::size_t>(std::max(written, 0)) < length && !context_.abort.raised() &&
            !writeFailed(position, holds)) {
            return Ending::LineDead;
        }
        context_.console.clearLogSelection();
        if (context_.abort.raised()) {
            return Ending::AbortInText;
        }
    }
    return Ending::Done;
}

// A hold by XOFF is retried at once (the write timeout paces it); anything
// else is reported and retried after the delay, except a port that is gone:
// false, it never comes back. A write cut short by an abort is no fault of
// the line and is not looked at.
bool SendJob::writeFailed(std::size_t position, HoldNotes& holds) {
    const SerialError errors = context_.line.takeErrors(id_);
    if (!hasFlag(errors, SerialError::XoffReceived) || hasFlag(errors, SerialError::IOE)) {
        LineErrorLog(context_.console).report(errors, static_cast<std::int64_t>(position));
        if (hasFlag(errors, SerialError::IOE)) {
            return false;
        }
        log(m::kRetryInOneSecond);
        context_.abort.waitFor(context_.timing.retryDelay);
        return true;
    }
    holds.held();
    return true;
}

void SendJob::finish() {
    markStep();
    // Bytes a held line still keeps are lost at close: a send that loses
    // them did not succeed. The machine sees DTR until they are out.
    const std::int64_t lost = lost_ + context_.line.drain(id_);
    if (controls_.dtrDsrCheck) {
        context_.line.setSignal(id_, SerialSignal::Dtr, 0);
        log(m::kDtrOffSent);
    }
    context_.line.close(id_);
    if (lost > 0) {
        log(fill(m::kNotSent, lost));
        log(m::kAborted);
    } else {
        log(fill(m::kSent, count_));
    }
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
