#pragma once

// The window's side of JobConsole: a job thread's calls are queued, and the
// front end applies them to the window on its own thread when it drains the
// queue, as often as it sees fit.

#include "transfer/job_console.h"
#include "window/app_state.h"
#include "window/console_queue.h"
#include "window/window_view.h"

#include <functional>
#include <mutex>

namespace drovane {

class QueuedJobConsole : public JobConsole {
public:
    QueuedJobConsole(WindowView& view, AppState& state) : view_(view), state_(state) {}

    // Called on the reporting thread once per drain that becomes due: the
    // front end schedules drain() on its own thread. Set before any report.
    void setWakeUp(std::function<void()> wakeUp) { wakeUp_ = std::move(wakeUp); }

    void appendLine(std::string_view line) override;
    void replaceLastLine(std::string_view line) override;
    void clearLog() override;
    void clearLogSelection() override;
    void setStartCaption(std::string_view caption) override;
    void setProgressMaximum(std::int64_t maximum) override;
    void setProgressValue(std::int64_t value) override;
    void showSendPosition(std::size_t line, std::int64_t bytesLeft) override;
    // Window thread: what to do with each send position, in order with the rest.
    void setSendPositionShown(std::function<void(std::size_t, std::int64_t)> shown) {
        sendPositionShown_ = std::move(shown);
    }
    void clearEditor() override;
    void appendEditor(std::string_view bytes) override;
    void clearEditorSelection() override;
    void editorCaretToStart() override;
    void setEditorTabTitle(std::string_view title) override;
    void clearFileName() override;
    void setProgramText(std::string text) override;

    // Runs `task` on the window's thread after everything reported before it.
    void post(std::function<void()> task);

    enum class Drain : std::uint8_t { Nothing, Applied, Busy };
    // Window thread: applies what is waiting, in order. Busy while a task of
    // an earlier drain waits for a dialog that runs its own event loop: what
    // came meanwhile waits for that batch to end.
    Drain drain();
    bool empty();
    // How many times a batch has been applied.
    int batchesApplied() const { return batches_; }

private:
    void push(ConsoleOp op);
    void apply(ConsoleOp& op);
    void applyToLog(const ConsoleOp& op);
    void applyToEditor(const ConsoleOp& op);

    WindowView& view_;
    AppState& state_;
    std::function<void()> wakeUp_;
    std::function<void(std::size_t, std::int64_t)> sendPositionShown_;
    std::mutex mutex_;
    ConsoleQueue queue_;
    bool drainDue_ = false;
    bool draining_ = false;
    int batches_ = 0;
};

} // namespace drovane
