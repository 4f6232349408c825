#pragma once

// The window's side of JobConsole: a job thread's calls are queued and the
// GUI thread applies them in order, at most about thirty times a second, so
// that a fast line never floods the event loop.

#include "shell/console_queue.h"
#include "transfer/job_console.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <mutex>

namespace drovane {

struct AppState;
class MainWindow;

class QtJobConsole final : public QObject, public JobConsole {
    Q_OBJECT
public:
    QtJobConsole(MainWindow& window, AppState& state);

    void appendLine(std::string_view line) override;
    void replaceLastLine(std::string_view line) override;
    void clearLog() override;
    void clearLogSelection() override;
    void setStartCaption(std::string_view caption) override;
    void setProgressMaximum(std::int64_t maximum) override;
    void setProgressValue(std::int64_t value) override;
    void clearEditor() override;
    void appendEditor(std::string_view bytes) override;
    void clearEditorSelection() override;
    void editorCaretToStart() override;
    void setEditorTabTitle(std::string_view title) override;
    void clearFileName() override;
    void setProgramText(std::string text) override;

    // Runs `task` on the GUI thread after everything reported before it.
    void post(std::function<void()> task);
    // GUI thread: applies at once what is waiting.
    void flush() { drain(); }
    // Nothing waiting, the editor included.
    bool idle();
    // How many times the window has applied a batch.
    int batchesApplied() const { return batches_; }

    // The shortest gap between two batches.
    static constexpr int MinimumGapMs = 33;

private slots:
    void scheduleDrain();

private:
    void push(ConsoleOp op);
    void drain();
    void apply(ConsoleOp& op);
    void applyToLog(ConsoleOp& op);
    void applyToEditor(ConsoleOp& op);

    MainWindow& window_;
    AppState& state_;
    std::mutex mutex_;
    ConsoleQueue queue_;
    bool drainRequested_ = false;
    bool draining_ = false;
    QTimer drainTimer_;
    QElapsedTimer sinceDrain_;
    int batches_ = 0;
};

} // namespace drovane
