#pragma once

// Starts the send or receive job for the start button: the settings as the
// controls show them, the program as loaded, a line for the chosen port, and
// the window's console, save target and live controls. Outlives every job it
// starts: its end stops and awaits a running one.

#include "machine/port_selecting_line.h"
#include "transfer/live_controls.h"
#include "transfer/settings_snapshot.h"
#include "window/app_state.h"
#include "window/live_controls_mirror.h"
#include "window/program_commands.h"
#include "window/queued_job_console.h"
#include "window/send_follow.h"
#include "window/window_receive_target.h"
#include "window/window_view.h"

#include <functional>
#include <string_view>

namespace drovane {

class TransferRunner {
public:
    // The console's reports must reach the window's thread in order, and the
    // front end must report every change of LiveControlsMirror::controls().
    TransferRunner(AppState& state, WindowView& view, ProgramCommands& programs,
                   QueuedJobConsole& console);
    ~TransferRunner();
    TransferRunner(const TransferRunner&) = delete;
    TransferRunner& operator=(const TransferRunner&) = delete;
    TransferRunner(TransferRunner&&) = delete;
    TransferRunner& operator=(TransferRunner&&) = delete;

    // False when a job runs already.
    bool start(Mode mode);
    // The program's head, then the program from this line (from 1) on; a
    // line it does not have is refused in the log. False when refused or a
    // job runs already.
    bool startSendFrom(std::size_t line);
    // Called on the window's thread after each job, behind everything it
    // reported, once the window no longer counts the job as running.
    void setJobEnded(std::function<void()> jobEnded) { jobEnded_ = std::move(jobEnded); }
    // A mirrored control changed; window thread.
    void controlChanged(std::string_view control) { mirror_.changed(control, view_); }

private:
    bool startJob(std::function<void()> body);
    void follow(const SettingsSnapshot& controls, const SendFollow& follow);
    void jobEnded();

    AppState& state_;
    WindowView& view_;
    QueuedJobConsole& console_;
    LiveControls live_;
    LiveControlsMirror mirror_{live_};
    WindowReceiveTarget target_;
    // One for the whole run: the virtual machine behind it keeps its program.
    PortSelectingLine line_;
    std::function<void()> jobEnded_;
};

} // namespace drovane
