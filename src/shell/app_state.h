#pragma once

// What the whole program shares besides the controls: the settings path, the
// standard folder, the start parameter, the job flags and the program text.

#include "programs/program_file.h"
#include "serial/abort_request.h"
#include "transfer/transfer_job.h"
#include "transfer/transfer_lock.h"

#include <QString>
#include <string>

namespace drovane {

inline constexpr float Version = 0.817F;

// What CheckSaveTarget decided, and for which target path.
struct SaveJudgement {
    OverwriteDecision decision = OverwriteDecision::NoFileOrEmptyName;
    std::string path; // empty when nothing was judged
};

struct AppState {
    QString settingsPath;
    QString ncDirectory; // always ends in "/"
    QString startParameter;
    std::string programText; // Windows-1252 bytes, never holds a NUL
    SaveJudgement judgement;

    AbortRequest abortRequest;
    // Declared after the request it raises when it has to stop its thread.
    TransferJob transferJob{abortRequest};
    TransferLock transferLock;

    // For the window a job runs from its start until the window has applied
    // its last report, which comes after the end of the job's thread: until
    // then the window still shows the job and must not start or load anew.
    bool jobInWindow = false;

    bool jobRuns() const { return jobInWindow || transferJob.running(); }
};

} // namespace drovane
