#pragma once

// The transfer runner with the Qt console that drains its reports and the
// signals that keep its live controls current.

#include "qt/qt_job_console.h"
#include "qt/window_session.h"
#include "window/transfer_runner.h"

#include <QObject>
#include <functional>

namespace drovane {

class QtTransferRunner {
public:
    QtTransferRunner(AppState& state, WindowSession& session);

    bool start(Mode mode) { return runner_.start(mode); }
    bool startSendFrom(std::size_t line) { return runner_.startSendFrom(line); }
    void setJobEnded(std::function<void()> jobEnded) { runner_.setJobEnded(std::move(jobEnded)); }
    QtJobConsole& console() { return console_; }

private:
    QtJobConsole console_;
    TransferRunner runner_; // its end awaits the job, whose reports need the console
    QObject links_;         // goes first: the changes it reports reach the runner
};

} // namespace drovane
