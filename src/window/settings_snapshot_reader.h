#pragma once

// The settings controls' texts as they stand, for a job about to start.
// GUI thread only.

#include "transfer/settings_snapshot.h"
#include "window/window_view.h"

namespace drovane {

SettingsSnapshot readSettingsSnapshot(const WindowView& view);

} // namespace drovane
