#pragma once

// A job's reports as a command-line program gives them: each log line on the
// log stream as it comes, the running count line (which the window replaces
// in place) only when it changed and at most once per interval, and, when
// standard error is a terminal, a progress line redrawn in place. It also
// notes how the job ended, which a job tells only through its log.

#include "transfer/job_console.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

namespace drovane {

enum class TransferDirection : std::uint8_t { Send, Receive };

class StreamConsole final : public JobConsole {
public:
    using Clock = std::chrono::steady_clock;

    // `progress` is null when no progress line is wanted; it may be the same
    // stream as `errors`. No stream is closed here.
    StreamConsole(std::FILE* log, std::FILE* errors, std::FILE* progress,
                  TransferDirection direction,
                  std::chrono::milliseconds interval = std::chrono::milliseconds(250));
    ~StreamConsole() override = default;
    StreamConsole(const StreamConsole&) = delete;
    StreamConsole& operator=(const StreamConsole&) = delete;
    StreamConsole(StreamConsole&&) = delete;
    StreamConsole& operator=(StreamConsole&&) = delete;

    void appendLine(std::string_view line) override;
    void replaceLastLine(std::string_view line) override;
    // The stream keeps what it has printed; a cleared log goes on below it.
    void clearLog() override {}
    void clearLogSelection() override {}
    void setStartCaption(std::string_view /*caption*/) override {}
    void setProgressMaximum(std::int64_t maximum) override;
    void setProgressValue(std::int64_t value) override;
    void clearEditor() override;
    void appendEditor(std::string_view bytes) override;
    void clearEditorSelection() override {}
    void editorCaretToStart() override {}
    void setEditorTabTitle(std::string_view /*title*/) override {}
    void clearFileName() override {}
    void setProgramText(std::string /*text*/) override {}

    // A line from elsewhere (the virtual machine), from any thread.
    void note(std::string_view line);
    // A message for the error stream, from any thread.
    void error(std::string_view line);
    // Prints what waited for its interval; called a few times a second.
    void tick();
    // Prints whatever is pending and ends the progress line.
    void finish();

    bool openFailed() const;
    bool aborted() const;
    bool sendFinished() const;
    // What a reception has shown so far, as the window's editor holds it.
    std::string editorText() const;
    // The reception ended with the line's errors noted.
    bool lineErrors() const;

private:
    void print(std::FILE* stream, std::string_view line);
    bool runningLineDue() const;
    void printPendingRunningLine();
    void moved(std::int64_t bytes);
    void drawProgress(bool now);
    void eraseProgress();

    mutable std::mutex mutex_;
    std::FILE* log_;
    std::FILE* errors_;
    std::FILE* progress_;
    TransferDirection direction_;
    Clock::duration interval_;

    std::optional<std::string> pendingRunning_;
    // Empty until the first is shown: a steady clock's zero is the boot.
    std::optional<Clock::time_point> lastRunning_;
    std::int64_t maximum_ = 0;
    std::int64_t bytes_ = 0;
    std::string editorText_;
    std::optional<Clock::time_point> firstMove_;
    std::optional<Clock::time_point> lastProgress_;
    bool progressShown_ = false;

    bool openFailed_ = false;
    bool aborted_ = false;
    bool sendFinished_ = false;
    bool lineErrors_ = false;
};

} // namespace drovane
