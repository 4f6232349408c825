#include "qt/qt_control_changes.h"

#include <QCheckBox>
#include <QComboBox>

namespace drovane {

void reportControlChanges(MainWindow& window, std::span<const std::string_view> controls,
                          QObject& owner, const std::function<void(std::string_view)>& changed) {
    for (const std::string_view name : controls) {
        QWidget* control = window.control(name);
        const auto report = [changed, name] {
            changed(name);
        };
        if (auto* field = qobject_cast<QLineEdit*>(control)) {
            QObject::connect(field, &QLineEdit::textChanged, &owner, report);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            QObject::connect(list, &QComboBox::currentTextChanged, &owner, report);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            QObject::connect(box, &QCheckBox::toggled, &owner, report);
        }
    }
}

} // namespace drovane
