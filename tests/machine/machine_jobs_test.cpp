#include "machine/machine_messages.h"
#include "machine/port_selecting_line.h"
#include "machine_rig.h"
#include "recording_console.h"
#include "transfer/job_context.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

namespace drovane {
namespace {

class SavedProgram final : public ReceiveTarget {
public:
    OverwriteDecision checkSaveTarget() override { return OverwriteDecision::NoFileOrEmptyName; }
    void saveProgram(std::string_view text, OverwriteDecision /*decision*/) override {
        saved = std::string(text);
    }
    std::optional<std::string> saved;
};

SettingsSnapshot virtualProfile(const char* handshake, bool dtrDsr) {
    SettingsSnapshot c;
    c.fileNameField = "WELLE.nc";
    c.portCombo = "VIRTUELL";
    c.baudCombo = "4800";
    c.dataBitsCombo = "8";
    c.stopBitsCombo = "1";
    c.parityCombo = "NOPARITY";
    c.handshakeCombo = handshake;
    c.receiveBufferCombo = "4096";
    c.sendBufferCombo = "4096";
    c.sendTimeoutField = "300";
    c.receiveTimeoutField = "300";
    c.dtrDsrCheck = dtrDsr;
    c.leaderCountField = "10";
    c.trailerCountField = "10";
    c.endCharField = "04";
    c.percentFilterCombo = "Nein";
    c.sendControlFilterCombo = "Nein";
    c.receiveControlFilterCombo = "Nein";
    return c;
}

TEST(MachineWithJobs, TheSendJobThenTheReceiveJobBringTheProgramBack) {
    const std::string program = "%\nO0007 (FLANSCH)\nN10 G90 G54\nN20 G00 X0 Y0\nN30 M30\n%\n";
    for (const char* handshake : {"NOHANDSHAKE", "XON/XOFF", "RTS/CTS"}) {
        SCOPED_TRACE(handshake);
        PortSelectingLine ports(50.0);
        RecordingConsole console;
        AbortRequest abort;
        TransferLock lock;
        LiveControls live(LiveTexts{"04", true, "Nein", "WELLE.nc", "", ""});
        const JobContext context{ports, console, abort,
                                 lock,  live,    JobTiming{std::chrono::milliseconds(40)}};
        const SettingsSnapshot controls = virtualProfile(handshake, true);
        ReportLog machineLog;
        ports.virtualMachine().setReport(machineLog.sink());

        SendJob(context, controls, program).run();
        EXPECT_TRUE(console.waitFor("log Übertragung beendet. " + std::to_string(program.size()) +
                                    " Bytes gesendet."));
        // The last bytes are still on the wire when the job closes the port.
        ASSERT_TRUE(machineLog.waitFor(machine_text::stored("O0007", program.size(), 0)));
        EXPECT_EQ(ports.virtualMachine().storedProgram(), program);

        SavedProgram target;
        ReceiveJob(context, controls, target).run();
        EXPECT_EQ(target.saved, program);
        EXPECT_TRUE(console.waitFor("log Programmübertragung durch EOF<04> beendet."));
        EXPECT_EQ(console.programText(), program);
        EXPECT_TRUE(machineLog.waitFor(machine_text::kPunchDone));
    }
}

} // namespace
} // namespace drovane
