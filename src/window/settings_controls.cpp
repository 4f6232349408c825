#include "window/settings_controls.h"

#include "core/text.h"
#include "serial/serial_ports.h"
#include "window/control_kind.h"
#include "window/list_selection.h"
#include "window/shown_text.h"

#include <algorithm>

#include <vector>

namespace drovane {
namespace {

constexpr std::string_view Yes = "Ja";
constexpr std::string_view No = "Nein";

bool sameLetters(std::string_view left, std::string_view right) {
    const auto upper = [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    };
    return std::ranges::equal(left, right, {}, upper, upper);
}

} // namespace

std::vector<std::string> portListEntries(std::vector<std::string> fixed,
                                         std::span<const std::string> present) {
    for (const std::string& port : present) {
        const bool listed = std::ranges::any_of(
            fixed, [&port](const std::string& entry) { return sameLetters(entry, port); });
        if (!listed) {
            fixed.push_back(port);
        }
    }
    return fixed;
}

void fillSettingsLists(WindowView& view) {
    for (const ProfileKey& key : ProfileKeys) {
        if (controlKindOf(key.control) != ControlKind::DropDown) {
            continue;
        }
        std::vector<std::string> entries;
        for (const std::string_view value : key.values) {
            entries.push_back(utf8FromWindows1252(value));
        }
        if (key.control == "PortCombo") {
            std::vector<std::string> present;
            for (const SerialPortInfo& port : listSerialPorts()) {
                present.push_back(shownFromPathText(port.name));
            }
            entries = portListEntries(std::move(entries), present);
        }
        view.setItems(key.control, entries);
        // A list shows nothing until a profile gives it a value.
        view.selectItem(key.control, -1);
    }
}

void showProfile(WindowView& view, const MachineProfile& profile) {
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        const ProfileKey& key = ProfileKeys[i];
        const std::string shown = utf8FromWindows1252(profile.values[i]);
        switch (controlKindOf(key.control).value_or(ControlKind::Label)) {
        case ControlKind::DropDown:
            key.extendedFromFile ? setExtendedListText(view, key.control, shown)
                                 : setListText(view, key.control, shown);
            break;
        case ControlKind::TextField:
            view.setText(key.control, shown);
            break;
        case ControlKind::CheckBox:
            view.setChecked(key.control, isYes(profile.values[i]));
            break;
        default:
            break;
        }
    }
}

MachineProfile profileOnScreen(const WindowView& view, std::string name) {
    MachineProfile profile{std::move(name), {}};
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        const std::string_view control = ProfileKeys[i].control;
        switch (controlKindOf(control).value_or(ControlKind::Label)) {
        case ControlKind::DropDown:
            profile.values[i] = windows1252FromUtf8(listText(view, control));
            break;
        case ControlKind::TextField:
            profile.values[i] = windows1252FromUtf8(view.text(control));
            break;
        case ControlKind::CheckBox:
            profile.values[i] = view.checked(control) ? Yes : No;
            break;
        default:
            break;
        }
    }
    return profile;
}

} // namespace drovane
