#pragma once

// The Qt signals and filters that report the command table's events.

#include "qt/main_window.h"
#include "window/command_dispatch.h"

namespace drovane {

// Every wired event except the right presses, for as long as `owner` lives.
void wireCommands(MainWindow& window, CommandDispatch& dispatch, QObject& owner);
// The right-press commands of DirectionButton and DirectoryButton.
void installButtonFilters(MainWindow& window, CommandDispatch& dispatch);

} // namespace drovane
