#pragma once

// The settings controls' texts as they stand, for a job about to start.
// GUI thread only.

#include "transfer/settings_snapshot.h"

namespace drovane {

class MainWindow;

SettingsSnapshot readSettingsSnapshot(const MainWindow& window);

} // namespace drovane
