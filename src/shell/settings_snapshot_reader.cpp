#include "shell/settings_snapshot_reader.h"

#include "shell/list_selection.h"
#include "shell/main_window.h"
#include "shell/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <string_view>

namespace drovane {
namespace {

struct SnapshotText {
    std::string_view control;
    std::string SettingsSnapshot::*member;
};

using S = SettingsSnapshot;

constexpr std::array SnapshotTexts{
    SnapshotText{"FileNameField", &S::fileNameField},
    SnapshotText{"PortCombo", &S::portCombo},
    SnapshotText{"BaudCombo", &S::baudCombo},
    SnapshotText{"DataBitsCombo", &S::dataBitsCombo},
    SnapshotText{"StopBitsCombo", &S::stopBitsCombo},
    SnapshotText{"ParityCombo", &S::parityCombo},
    SnapshotText{"HandshakeCombo", &S::handshakeCombo},
    SnapshotText{"ReceiveBufferCombo", &S::receiveBufferCombo},
    SnapshotText{"SendBufferCombo", &S::sendBufferCombo},
    SnapshotText{"SendTimeoutField", &S::sendTimeoutField},
    SnapshotText{"ReceiveTimeoutField", &S::receiveTimeoutField},
    SnapshotText{"LeaderCountField", &S::leaderCountField},
    SnapshotText{"TrailerCountField", &S::trailerCountField},
    SnapshotText{"EndCharField", &S::endCharField},
    SnapshotText{"PercentFilterCombo", &S::percentFilterCombo},
    SnapshotText{"SendControlFilterCombo", &S::sendControlFilterCombo},
    SnapshotText{"ReceiveControlFilterCombo", &S::receiveControlFilterCombo},
    SnapshotText{"BeforeProgramField", &S::beforeProgramField},
    SnapshotText{"AfterProgramField", &S::afterProgramField},
    SnapshotText{"AfterEndCodeField", &S::afterEndCodeField},
    SnapshotText{"AfterLineField", &S::afterLineField},
    SnapshotText{"LineEndCombo", &S::lineEndCombo},
    SnapshotText{"XonCharField", &S::xonCharField},
    SnapshotText{"XoffCharField", &S::xoffCharField},
    SnapshotText{"XonSendCombo", &S::xonSendCombo},
    SnapshotText{"XonWaitCombo", &S::xonWaitCombo},
};

QString shownText(const QWidget* control) {
    if (const auto* list = qobject_cast<const QComboBox*>(control); list != nullptr) {
        return listText(*list);
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(control); field != nullptr) {
        return field->text();
    }
    return {};
}

} // namespace

SettingsSnapshot readSettingsSnapshot(const MainWindow& window) {
    SettingsSnapshot snapshot;
    for (const SnapshotText& entry : SnapshotTexts) {
        snapshot.*entry.member = windows1252FromQString(shownText(window.control(entry.control)));
    }
    const auto* box = window.controlAs<QCheckBox>("DtrDsrCheck");
    snapshot.dtrDsrCheck = box != nullptr && box->isChecked();
    return snapshot;
}

} // namespace drovane
