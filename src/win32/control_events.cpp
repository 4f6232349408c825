#include "win32/control_events.h"

#include <windows.h>

#include <array>
#include <commctrl.h>

namespace drovane {
namespace {

using enum ControlKind;

struct EventRow {
    ControlKind kind;
    unsigned notification;
    Trigger trigger;
};

constexpr std::array commandEvents{
    EventRow{Button, BN_CLICKED, Trigger::Click},
    EventRow{ImageButton, BN_CLICKED, Trigger::Click},
    EventRow{CheckBox, BN_CLICKED, Trigger::Click},
    EventRow{TextField, EN_CHANGE, Trigger::Edited},
    EventRow{TextField, EN_SETFOCUS, Trigger::FocusGained},
    EventRow{TextField, EN_KILLFOCUS, Trigger::FocusLost},
    // Sent only for the user's pick, never for CB_SETCURSEL.
    EventRow{DropDown, CBN_SELCHANGE, Trigger::Picked},
};

constexpr std::array notifyEvents{
    EventRow{FileList, static_cast<unsigned>(NM_CLICK), Trigger::ListClicked},
    EventRow{FileList, static_cast<unsigned>(NM_DBLCLK), Trigger::ListOpened},
    EventRow{FileList, static_cast<unsigned>(NM_RETURN), Trigger::ListOpened},
    EventRow{FileList, static_cast<unsigned>(LVN_ITEMCHANGED), Trigger::ListChanged},
};

template <std::size_t N>
std::optional<Trigger> find(const std::array<EventRow, N>& rows, ControlKind kind,
                            unsigned notification) {
    for (const EventRow& row : rows) {
        if (row.kind == kind && row.notification == notification) {
            return row.trigger;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Trigger> commandTrigger(ControlKind kind, unsigned notification) {
    return find(commandEvents, kind, notification);
}

std::optional<Trigger> notifyTrigger(ControlKind kind, unsigned notification,
                                     bool selectionChanged) {
    if (notification == static_cast<unsigned>(LVN_ITEMCHANGED) && !selectionChanged) {
        return std::nullopt;
    }
    return find(notifyEvents, kind, notification);
}

bool isHelpClick(int x, int windowWidth) {
    return x > windowWidth - HelpFieldWidth;
}

} // namespace drovane
