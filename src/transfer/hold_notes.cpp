#include "transfer/hold_notes.h"

#include "transfer/job_messages.h"

namespace drovane {

void HoldNotes::held() {
    if (xonXoff_ && !holdShown_) {
        console_.appendLine(messages::kXoffReceived);
        holdShown_ = true;
        resumeShown_ = false;
    }
}

void HoldNotes::moved() {
    if (xonXoff_ && !resumeShown_) {
        console_.appendLine(messages::kXonReceived);
        resumeShown_ = true;
        holdShown_ = false;
    }
}

} // namespace drovane
