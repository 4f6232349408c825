#pragma once

// Everything a job needs, on a virtual line whose far end the test drives,
// with the console and the line's actions recorded in one sequence.

#include "recording_console.h"
#include "scripted_line.h"
#include "serial/virtual/virtual_serial_line.h"
#include "transfer/job_context.h"
#include "transfer/settings_snapshot.h"
#include "transfer/transfer_job.h"

#include <chrono>
#include <string>

namespace drovane {

struct JobRig {
    // Line time runs 20 times faster: a 300 ms write timeout takes 15 ms.
    VirtualSerialLine virtualLine{20.0};
    VirtualFarEnd far = virtualLine.farEnd();
    RecordingConsole console;
    ScriptedLine line{virtualLine, console};
    AbortRequest abort;
    TransferLock lock;
    LiveControls live;
    JobContext context{line, console, abort, lock, live, JobTiming{std::chrono::milliseconds(40)}};
    TransferJob runner{abort};

    std::string openedLine() const {
        return "log serielle Schnittstelle geöffnet (" + std::to_string(line.openedId()) + ")";
    }
};

// A machine profile as the settings tab shows it by default.
inline SettingsSnapshot defaultControls() {
    SettingsSnapshot c;
    c.fileNameField = "P1.nc";
    c.portCombo = "COM1";
    c.baudCombo = "9600";
    c.dataBitsCombo = "8";
    c.stopBitsCombo = "1";
    c.parityCombo = "NOPARITY";
    c.handshakeCombo = "NOHANDSHAKE";
    c.receiveBufferCombo = "4096";
    c.sendBufferCombo = "4096";
    c.sendTimeoutField = "300";
    c.receiveTimeoutField = "300";
    c.leaderCountField = "0";
    c.trailerCountField = "0";
    c.endCharField = "04";
    c.percentFilterCombo = "Nein";
    c.sendControlFilterCombo = "Nein";
    c.receiveControlFilterCombo = "Nein";
    return c;
}

} // namespace drovane
