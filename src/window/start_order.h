#pragma once

// The order of a start, the same for every front end: a second start hands
// its parameter to the running instance before it builds any window; the
// start file is opened before the saved state is restored, which then leaves
// the list where the file is; the log's start-up notes come after the start
// file, whose loading empties the log; and hand-overs are taken only once the
// window holds its state. Each step is the front end's own.

#include <cstdint>
#include <functional>
#include <string>

namespace drovane {

struct StartSteps {
    // Pictures, resources and the fatal-error handler.
    std::function<void()> prepare;
    // `StartParameter`, UTF-8; empty without one.
    std::function<std::string()> startParameter;
    // True when another instance runs: it has been handed the parameter.
    std::function<bool(const std::string& parameter)> handedOverToRunningInstance;
    // The settings path, the window with its commands and jobs, shown.
    std::function<void()> showWindow;
    std::function<void(const std::string& path)> openStartFile;
    std::function<void(bool hasStartFile)> restoreSavedState;
    // The button filters and the log's start-up notes.
    std::function<void()> finishWindow;
    std::function<void()> receiveHandOvers;
};

enum class StartOutcome : std::uint8_t { HandedOver, WindowRuns };

// Every step must be set.
StartOutcome runStartOrder(const StartSteps& steps);

} // namespace drovane
