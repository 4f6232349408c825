#pragma once

// Applies the files that later starts hand over: the window switches to send
// mode and opens the file. A file that arrives while a transfer job runs
// would replace the program under the job, and one that arrives while a
// modal dialog is open the program the dialog is about; so the newest such
// file waits until the job has ended and no dialog is open. Applied then, it
// keeps the log's lines: the operator still reads how the job ended.

#include "window/app_state.h"
#include "window/program_commands.h"
#include "window/window_view.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

class HandOverInbox {
public:
    // `dialogOpen` tells whether a modal dialog is open right now.
    HandOverInbox(AppState& state, WindowView& view, ProgramCommands& programs,
                  std::function<bool()> dialogOpen);

    enum class Outcome : std::uint8_t { Nothing, Applied, Held };
    // A path (UTF-8) handed over by a later start; empty changes nothing.
    // While a file is held the front end calls retry() shortly again: a
    // dialog tells nobody when it closes.
    Outcome receive(std::string_view path);
    // Applies the held file once nothing stops it; also when a job has ended.
    Outcome retry();

    const std::optional<std::string>& waiting() const { return waiting_; }

private:
    bool mustWait() const;
    void apply(const std::string& path, LogStart log);

    AppState& state_;
    WindowView& view_;
    ProgramCommands& programs_;
    std::function<bool()> dialogOpen_;
    std::optional<std::string> waiting_;
};

} // namespace drovane
