#pragma once

// Drains the window's job console on the GUI thread, at most about thirty
// times a second, so that a fast line never floods the event loop.

#include "qt/main_window.h"
#include "window/queued_job_console.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace drovane {

class QtJobConsole final : public QObject, public QueuedJobConsole {
    Q_OBJECT
public:
    QtJobConsole(MainWindow& window, WindowView& view, AppState& state);

    // GUI thread: applies at once what is waiting.
    void flush() { drainNow(); }
    // Nothing waiting, the editor included.
    bool idle();

    // The shortest gap between two batches.
    static constexpr int MinimumGapMs = 33;

private slots:
    void scheduleDrain();

private:
    void drainNow();

    MainWindow& window_;
    QTimer drainTimer_;
    QElapsedTimer sinceDrain_;
};

} // namespace drovane
