#pragma once

// Where a reception goes: the window's own check of the save target and its
// save, asked from the job thread and answered on the GUI thread, after
// everything the job reported before.

#include "transfer/receive_target.h"

#include <functional>
#include <optional>

namespace drovane {

class AbortRequest;
struct AppState;
class ProgramCommands;
class QtJobConsole;

class WindowReceiveTarget final : public ReceiveTarget {
public:
    WindowReceiveTarget(QtJobConsole& console, ProgramCommands& programs, AppState& state);

    // InvalidName, so that the job ends at once, when the window goes away
    // before it answers.
    OverwriteDecision checkSaveTarget() override;
    void saveProgram(std::string_view programText, OverwriteDecision decision) override;

private:
    // Nothing when a shutdown comes first.
    std::optional<OverwriteDecision> onGuiThread(std::function<OverwriteDecision()> work);

    QtJobConsole& console_;
    ProgramCommands& programs_;
    AppState& state_;
};

} // namespace drovane
