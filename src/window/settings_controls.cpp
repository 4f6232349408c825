#include "window/settings_controls.h"

#include "core/text.h"
#include "machine/port_selecting_line.h"
#include "serial/serial_ports.h"
#include "window/control_kind.h"
#include "window/list_selection.h"

#include <vector>

namespace drovane {
namespace {

constexpr std::string_view Yes = "Ja";
constexpr std::string_view No = "Nein";

// After the fixed names: the machine inside the program, then the serial ports
// this computer really has, looked up once.
void appendPortsPresent(std::vector<std::string>& ports) {
    ports.push_back(utf8FromWindows1252(kVirtualPortName));
    for (const SerialPortInfo& port : listSerialPorts()) {
        ports.push_back(port.name);
    }
}

} // namespace

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
            appendPortsPresent(entries);
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
