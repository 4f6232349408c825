#pragma once

// What the whole program shares besides the controls: the settings path, the
// standard folder, the start parameter, the job flags and the program text.

#include "programs/program_file.h"
#include "transfer/abort_request.h"
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

    bool jobRuns() const { return transferJob.running(); }
};

} // namespace drovane
