#pragma once

// Which notification of which kind of control the window logic hears about,
// and as what. Everything else a control says stays inside the window.

#include "window/control_table.h"
#include "window/window_view.h"

#include <optional>

namespace drovane {

// A WM_COMMAND notification code (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE, ...).
std::optional<Trigger> commandTrigger(ControlKind kind, unsigned notification);

// A WM_NOTIFY code (NM_CLICK, NM_DBLCLK, NM_RETURN, LVN_ITEMCHANGED, ...).
// LVN_ITEMCHANGED counts only when `selectionChanged`: the list also reports
// focus and other state changes through it.
std::optional<Trigger> notifyTrigger(ControlKind kind, unsigned notification,
                                     bool selectionChanged);

// A left press at `x` (client pixels of the window) hits the "Hilfe" field.
bool isHelpClick(int x, int windowWidth);

} // namespace drovane
