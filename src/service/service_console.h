#pragma once

// The console of one served machine's jobs: their log lines go to the
// service's output under the machine's name, the bytes they move to the
// machine's state, and the text of a reception is kept for the store, cut
// short or not. The progress a window shows has no place here.

#include "service/machine_state.h"
#include "service/service_log.h"
#include "transfer/job_console.h"

#include <mutex>
#include <string>
#include <vector>

namespace drovane {

class ServiceConsole final : public JobConsole {
public:
    // `machine` is UTF-8.
    ServiceConsole(ServiceLog& log, std::string machine, MachineState& state)
        : log_(log), machine_(std::move(machine)), state_(state) {}

    void appendLine(std::string_view line) override;
    void replaceLastLine(std::string_view line) override;
    void clearLog() override {}
    void clearLogSelection() override {}
    void setStartCaption(std::string_view /*caption*/) override {}
    void setProgressMaximum(std::int64_t /*maximum*/) override {}
    void setProgressValue(std::int64_t /*value*/) override {}
    void showSendPosition(std::size_t line, std::int64_t bytesLeft) override;
    void clearEditor() override {}
    void appendEditor(std::string_view bytes) override;
    void clearEditorSelection() override {}
    void editorCaretToStart() override {}
    void setEditorTabTitle(std::string_view /*title*/) override {}
    void clearFileName() override {}
    void setProgramText(std::string text) override;

    // The job's last log line, for the journal of a failure.
    std::string lastLine() const;
    // Forgets the lines, bytes and text of the job before.
    void startJob();
    // What the last reception handed over when it ended.
    std::string takeProgramText();
    // Whether bytes came since startJob.
    bool bytesCame() const;
    // Whether the job since startJob logged `line`.
    bool logged(std::string_view line) const;
    // The sending job's total, for the bytes still to go.
    void startSend(std::int64_t total);

private:
    ServiceLog& log_;
    std::string machine_;
    MachineState& state_;
    mutable std::mutex mutex_;
    std::string lastLine_;
    std::string program_;
    std::vector<std::string> jobLines_;
    bool bytesCame_ = false;
    std::int64_t sendTotal_ = 0;
};

} // namespace drovane
