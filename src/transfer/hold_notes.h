#pragma once

// The XON/XOFF log lines of a job: the interruption once per hold, the
// resumption once after it. Both start unshown, so the first bytes that move
// log the resumption too. Under any other handshake nothing is logged.

#include "transfer/job_console.h"

namespace drovane {

class HoldNotes {
public:
    HoldNotes(JobConsole& console, bool xonXoff) : console_(console), xonXoff_(xonXoff) {}

    // The line held the job by XOFF.
    void held();
    // Bytes moved.
    void moved();

private:
    JobConsole& console_;
    bool xonXoff_;
    bool holdShown_ = false;
    bool resumeShown_ = false;
};

} // namespace drovane
