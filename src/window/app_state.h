#pragma once

// What the whole program shares besides the controls: the settings path, the
// standard folder, the start parameter, the mode, the job flags and the
// program text.

#include "programs/program_file.h"
#include "serial/abort_request.h"
#include "transfer/transfer_job.h"
#include "transfer/transfer_lock.h"
#include "window/shared_text.h"
#include "window/window_view.h"

#include <string>

namespace drovane {

inline constexpr float Version = 0.817F;

// What CheckSaveTarget decided, and for which target path.
struct SaveJudgement {
    OverwriteDecision decision = OverwriteDecision::NoFileOrEmptyName;
    std::string path; // empty when nothing was judged
};

struct AppState {
    // UTF-8 texts as the window shows them.
    std::string settingsPath;
    std::string ncDirectory; // always ends in a separator
    std::string startParameter;
    // What the direction button shows.
    Mode mode = Mode::Send;
    SharedText programText; // Windows-1252 bytes, never holds a NUL
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
