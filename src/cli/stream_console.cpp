#include "cli/stream_console.h"

#include "cli/progress_line.h"
#include "transfer/job_messages.h"
#include "transfer/sentence.h"

namespace drovane {

StreamConsole::StreamConsole(std::FILE* log, std::FILE* errors, std::FILE* progress,
                             TransferDirection direction, std::chrono::milliseconds interval)
    : log_(log), errors_(errors), progress_(progress), direction_(direction), interval_(interval) {}

void StreamConsole::appendLine(std::string_view line) {
    const std::scoped_lock lock(mutex_);
    printPendingRunningLine();
    print(log_, line);
    openFailed_ = openFailed_ || line == messages::kOpenFailed;
    aborted_ = aborted_ || line == messages::kAborted;
    lineErrors_ = lineErrors_ || line == messages::kSucceededWithLineErrors;
    sendFinished_ = sendFinished_ ||
                    (direction_ == TransferDirection::Send && fitsSentence(line, messages::kSent));
}

void StreamConsole::replaceLastLine(std::string_view line) {
    const std::scoped_lock lock(mutex_);
    pendingRunning_ = std::string(line);
    if (runningLineDue()) {
        printPendingRunningLine();
    }
}

void StreamConsole::setProgressMaximum(std::int64_t maximum) {
    const std::scoped_lock lock(mutex_);
    maximum_ = maximum;
}

void StreamConsole::setProgressValue(std::int64_t value) {
    if (direction_ != TransferDirection::Send) {
        return; // a reception keeps its bar at 0 and counts in the editor
    }
    const std::scoped_lock lock(mutex_);
    moved(value);
}

void StreamConsole::clearEditor() {
    const std::scoped_lock lock(mutex_);
    editorText_.clear();
}

void StreamConsole::appendEditor(std::string_view bytes) {
    const std::scoped_lock lock(mutex_);
    editorText_ += bytes;
    moved(bytes_ + static_cast<std::int64_t>(bytes.size()));
}

void StreamConsole::note(std::string_view line) {
    const std::scoped_lock lock(mutex_);
    printPendingRunningLine();
    print(log_, line);
}

void StreamConsole::error(std::string_view line) {
    const std::scoped_lock lock(mutex_);
    printPendingRunningLine();
    print(errors_, line);
}

void StreamConsole::tick() {
    const std::scoped_lock lock(mutex_);
    if (pendingRunning_ && runningLineDue()) {
        printPendingRunningLine();
    }
    drawProgress(false);
}

void StreamConsole::finish() {
    const std::scoped_lock lock(mutex_);
    printPendingRunningLine();
    if (progressShown_) {
        drawProgress(true);
        std::fputc('\n', progress_);
        std::fflush(progress_);
        progressShown_ = false;
    }
}

bool StreamConsole::openFailed() const {
    const std::scoped_lock lock(mutex_);
    return openFailed_;
}

bool StreamConsole::aborted() const {
    const std::scoped_lock lock(mutex_);
    return aborted_;
}

bool StreamConsole::sendFinished() const {
    const std::scoped_lock lock(mutex_);
    return sendFinished_;
}

std::string StreamConsole::editorText() const {
    const std::scoped_lock lock(mutex_);
    return editorText_;
}

bool StreamConsole::lineErrors() const {
    const std::scoped_lock lock(mutex_);
    return lineErrors_;
}

void StreamConsole::print(std::FILE* stream, std::string_view line) {
    const bool redraw = progressShown_;
    eraseProgress();
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
    if (redraw) {
        drawProgress(true);
    }
}

bool StreamConsole::runningLineDue() const {
    return !lastRunning_ || Clock::now() - *lastRunning_ >= interval_;
}

void StreamConsole::printPendingRunningLine() {
    if (!pendingRunning_) {
        return;
    }
    const std::string line = std::move(*pendingRunning_);
    pendingRunning_.reset();
    lastRunning_ = Clock::now();
    print(log_, line);
}

void StreamConsole::moved(std::int64_t bytes) {
    bytes_ = bytes;
    if (!firstMove_ && bytes > 0) {
        firstMove_ = Clock::now();
    }
    drawProgress(false);
}

void StreamConsole::drawProgress(bool now) {
    if (progress_ == nullptr || !firstMove_) {
        return;
    }
    const Clock::time_point time = Clock::now();
    if (!now && progressShown_ && lastProgress_ && time - *lastProgress_ < interval_) {
        return;
    }
    lastProgress_ = time;
    ProgressState state;
    state.bytes = bytes_;
    if (direction_ == TransferDirection::Send) {
        state.total = maximum_;
    }
    state.elapsed = time - *firstMove_;
    const std::string text = progressText(state);
    std::fputc('\r', progress_);
    std::fwrite(text.data(), 1, text.size(), progress_);
    std::fputs("\033[K", progress_);
    std::fflush(progress_);
    progressShown_ = true;
}

void StreamConsole::eraseProgress() {
    if (progressShown_) {
        std::fputs("\r\033[K", progress_);
        progressShown_ = false;
    }
}

} // namespace drovane
