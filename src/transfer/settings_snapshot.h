#pragma once

// The settings controls as a job reads them when it starts: their texts as
// shown (Windows-1252 bytes), taken on the GUI thread, so that a transfer
// uses the values on screen whether saved or not.

#include <string>

namespace drovane {

struct SettingsSnapshot {
    std::string fileNameField;
    std::string portCombo;
    std::string baudCombo;
    std::string dataBitsCombo;
    std::string stopBitsCombo;
    std::string parityCombo;
    std::string handshakeCombo;
    std::string receiveBufferCombo;
    std::string sendBufferCombo;
    std::string sendTimeoutField;
    std::string receiveTimeoutField;
    bool dtrDsrCheck = false;
    std::string leaderCountField;
    std::string trailerCountField;
    std::string endCharField;
    std::string percentFilterCombo;
    std::string sendControlFilterCombo;
    std::string receiveControlFilterCombo;
    std::string beforeProgramField;
    std::string afterProgramField;
    std::string afterEndCodeField;
    std::string afterLineField;
    // Read by a send and without effect on it: line ends go out as they
    // stand, and the flow characters are DC1 and DC3.
    std::string lineEndCombo;
    std::string xonCharField;
    std::string xoffCharField;
    std::string xonSendCombo;
    std::string xonWaitCombo;
};

} // namespace drovane
