#pragma once

// Starts the send or receive job for the start button: the settings as the
// controls show them, the program as loaded, a line for the chosen port, and
// the window's console, save target and live controls. Outlives every job it
// starts: its end stops and awaits a running one.

#include "machine/port_selecting_line.h"
#include "shell/main_window.h"
#include "shell/qt_job_console.h"
#include "shell/window_receive_target.h"
#include "transfer/live_controls.h"
#include "window/live_controls_mirror.h"

#include <functional>

namespace drovane {

struct AppState;
class WindowSession;

class TransferRunner {
public:
    TransferRunner(AppState& state, WindowSession& session);
    ~TransferRunner();
    TransferRunner(const TransferRunner&) = delete;
    TransferRunner& operator=(const TransferRunner&) = delete;
    TransferRunner(TransferRunner&&) = delete;
    TransferRunner& operator=(TransferRunner&&) = delete;

    // False when a job runs already.
    bool start(Mode mode);
    // Called on the GUI thread after each job, behind everything it reported,
    // once the window no longer counts the job as running.
    void setJobEnded(std::function<void()> jobEnded) { jobEnded_ = std::move(jobEnded); }
    QtJobConsole& console() { return console_; }

private:
    AppState& state_;
    WindowSession& session_;
    LiveControls live_;
    LiveControlsMirror mirror_{live_};
    QtJobConsole console_; // after the mirror, whose links it cuts at its end
    WindowReceiveTarget target_;
    // One for the whole run: the virtual machine behind it keeps its program.
    PortSelectingLine line_;
    std::function<void()> jobEnded_;

    void jobEnded();
};

} // namespace drovane
