#pragma once

// What a job reads from the settings controls when it starts, taken on the
// GUI thread.

#include "transfer/settings_snapshot.h"

namespace drovane {

class MainWindow;

// Each control's text as shown ("" for a list without selection) and whether
// DtrDsrCheck is ticked.
SettingsSnapshot readSettingsSnapshot(const MainWindow& window);

} // namespace drovane
