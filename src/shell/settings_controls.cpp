#include "shell/settings_controls.h"

#include "core/text.h"
#include "machine/port_selecting_line.h"
#include "serial/serial_ports.h"
#include "shell/list_selection.h"
#include "shell/main_window.h"
#include "shell/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace drovane {
namespace {

constexpr std::string_view Yes = "Ja";
constexpr std::string_view No = "Nein";

// After the fixed names: the machine inside the program, then the serial ports
// this computer really has, looked up once.
void appendPortsPresent(QComboBox& ports) {
    ports.addItem(qStringFromWindows1252(kVirtualPortName));
    for (const SerialPortInfo& port : listSerialPorts()) {
        ports.addItem(QString::fromStdString(port.name));
    }
}

} // namespace

void fillSettingsLists(MainWindow& window) {
    for (const ProfileKey& key : ProfileKeys) {
        auto* list = window.controlAs<QComboBox>(key.control);
        if (list == nullptr) {
            continue;
        }
        for (const std::string_view value : key.values) {
            list->addItem(qStringFromWindows1252(value));
        }
        if (key.control == "PortCombo") {
            appendPortsPresent(*list);
        }
        // A list shows nothing until a profile gives it a value.
        list->setCurrentIndex(-1);
    }
}

void showProfile(MainWindow& window, const MachineProfile& profile) {
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        const ProfileKey& key = ProfileKeys[i];
        const std::string& value = profile.values[i];
        QWidget* control = window.control(key.control);
        if (auto* list = qobject_cast<QComboBox*>(control); list != nullptr) {
            const QString text = qStringFromWindows1252(value);
            key.extendedFromFile ? setExtendedListText(*list, text) : setListText(*list, text);
        } else if (auto* field = qobject_cast<QLineEdit*>(control); field != nullptr) {
            field->setText(qStringFromWindows1252(value));
        } else if (auto* box = qobject_cast<QCheckBox*>(control); box != nullptr) {
            box->setChecked(isYes(value));
        }
    }
}

MachineProfile profileOnScreen(const MainWindow& window, std::string name) {
    MachineProfile profile{std::move(name), {}};
    for (std::size_t i = 0; i < ProfileKeyCount; ++i) {
        QWidget* control = window.control(ProfileKeys[i].control);
        if (const auto* list = qobject_cast<QComboBox*>(control); list != nullptr) {
            profile.values[i] = windows1252FromQString(listText(*list));
        } else if (const auto* field = qobject_cast<QLineEdit*>(control); field != nullptr) {
            profile.values[i] = windows1252FromQString(field->text());
        } else if (const auto* box = qobject_cast<QCheckBox*>(control); box != nullptr) {
            profile.values[i] = box->isChecked() ? Yes : No;
        }
    }
    return profile;
}

} // namespace drovane
