#pragma once

// Where a reception goes: the window's own check of the save target and its
// save, asked from the job thread and answered on the window's thread, after
// everything the job reported before.

#include "transfer/receive_target.h"
#include "window/app_state.h"
#include "window/program_commands.h"
#include "window/queued_job_console.h"

#include <functional>
#include <optional>

namespace drovane {

class WindowReceiveTarget final : public ReceiveTarget {
public:
    WindowReceiveTarget(QueuedJobConsole& console, ProgramCommands& programs, AppState& state);

    // InvalidName, so that the job ends at once, when the window goes away
    // before it answers.
    OverwriteDecision checkSaveTarget() override;
    void saveProgram(std::string_view programText, OverwriteDecision decision) override;

private:
    // Nothing when a shutdown comes first.
    std::optional<OverwriteDecision> onWindowThread(std::function<OverwriteDecision()> work);

    QueuedJobConsole& console_;
    ProgramCommands& programs_;
    AppState& state_;
};

} // namespace drovane
