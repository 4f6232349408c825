#include "window/settings_snapshot_reader.h"

#include "core/text.h"

#include <array>
#include <string_view>

namespace drovane {
namespace {

struct SnapshotField {
    std::string_view control;
    std::string SettingsSnapshot::*member;
};

using S = SettingsSnapshot;

constexpr std::array SnapshotFields{
    SnapshotField{"FileNameField", &S::fileNameField},
    SnapshotField{"PortCombo", &S::portCombo},
    SnapshotField{"BaudCombo", &S::baudCombo},
    SnapshotField{"DataBitsCombo", &S::dataBitsCombo},
    SnapshotField{"StopBitsCombo", &S::stopBitsCombo},
    SnapshotField{"ParityCombo", &S::parityCombo},
    SnapshotField{"HandshakeCombo", &S::handshakeCombo},
    SnapshotField{"ReceiveBufferCombo", &S::receiveBufferCombo},
    SnapshotField{"SendBufferCombo", &S::sendBufferCombo},
    SnapshotField{"SendTimeoutField", &S::sendTimeoutField},
    SnapshotField{"ReceiveTimeoutField", &S::receiveTimeoutField},
    SnapshotField{"LeaderCountField", &S::leaderCountField},
    SnapshotField{"TrailerCountField", &S::trailerCountField},
    SnapshotField{"EndCharField", &S::endCharField},
    SnapshotField{"PercentFilterCombo", &S::percentFilterCombo},
    SnapshotField{"SendControlFilterCombo", &S::sendControlFilterCombo},
    SnapshotField{"ReceiveControlFilterCombo", &S::receiveControlFilterCombo},
    SnapshotField{"BeforeProgramField", &S::beforeProgramField},
    SnapshotField{"AfterProgramField", &S::afterProgramField},
    SnapshotField{"AfterEndCodeField", &S::afterEndCodeField},
    SnapshotField{"AfterLineField", &S::afterLineField},
    SnapshotField{"LineEndCombo", &S::lineEndCombo},
    SnapshotField{"XonCharField", &S::xonCharField},
    SnapshotField{"XoffCharField", &S::xoffCharField},
    SnapshotField{"XonSendCombo", &S::xonSendCombo},
    SnapshotField{"XonWaitCombo", &S::xonWaitCombo},
};

} // namespace

SettingsSnapshot readSettingsSnapshot(const WindowView& view) {
    SettingsSnapshot snapshot;
    for (const SnapshotField& field : SnapshotFields) {
        snapshot.*field.member = windows1252FromUtf8(view.text(field.control));
    }
    snapshot.dtrDsrCheck = view.checked("DtrDsrCheck");
    return snapshot;
}

} // namespace drovane
