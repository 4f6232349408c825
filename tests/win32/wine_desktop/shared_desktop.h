#pragma once

// The one virtual display and Wine prefix that every test of
// win32_wine_tests shares: Wine's first start in a prefix takes long.

#include "wine_desktop.h"

namespace drovane::testing {

// Null outside a test run.
WineDesktop* sharedDesktop();

// Wine's first start in a prefix takes long; a loaded machine longer still.
inline constexpr milliseconds wineLimit(120'000);

} // namespace drovane::testing
