#include "shell/live_controls_mirror.h"

#include "shell/main_window.h"
#include "shell/qt_text.h"
#include "transfer/live_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <string_view>

namespace drovane {
namespace {

// Each text field and the LiveControls setter that mirrors it.
struct MirroredField {
    std::string_view control;
    void (LiveControls::*set)(std::string);
};

constexpr std::array MirroredFields{
    MirroredField{"EndCharField", &LiveControls::setEndCharField},
    MirroredField{"FileNameField", &LiveControls::setFileNameField},
    MirroredField{"DirectoryField", &LiveControls::setDirectoryField},
    MirroredField{"PatternField", &LiveControls::setPatternField},
};

} // namespace

void mirrorLiveControls(MainWindow& window, LiveControls& live, const QObject& owner) {
    for (const MirroredField& mirrored : MirroredFields) {
        auto* field = window.controlAs<QLineEdit>(mirrored.control);
        const auto copy = [&live, set = mirrored.set](const QString& text) {
            (live.*set)(windows1252FromQString(text));
        };
        copy(field->text());
        QObject::connect(field, &QLineEdit::textChanged, &owner, copy);
    }
    auto* filter = window.controlAs<QComboBox>("ReceiveControlFilterCombo");
    const auto copyFilter = [&live](const QString& text) {
        live.setReceiveControlFilterCombo(windows1252FromQString(text));
    };
    copyFilter(filter->currentText());
    QObject::connect(filter, &QComboBox::currentTextChanged, &owner, copyFilter);
    auto* box = window.controlAs<QCheckBox>("DtrDsrCheck");
    live.setDtrDsrCheck(box->isChecked());
    QObject::connect(box, &QCheckBox::toggled, &owner,
                     [&live](bool checked) { live.setDtrDsrCheck(checked); });
}

} // namespace drovane
