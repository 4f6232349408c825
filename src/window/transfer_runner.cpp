#include "window/transfer_runner.h"

#include "transfer/job_settings.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"
#include "window/settings_snapshot_reader.h"

#include <utility>

namespace drovane {

TransferRunner::TransferRunner(AppState& state, WindowView& view, ProgramCommands& programs,
                               QueuedJobConsole& console)
    : state_(state), view_(view), console_(console), target_(console, programs, state) {
    mirror_.copyAll(view);
    line_.virtualMachine().setReport([this](std::string_view line) { console_.appendLine(line); });
}

TransferRunner::~TransferRunner() {
    if (state_.jobRuns()) {
        state_.abortRequest.raise(AbortRequest::Shutdown);
    }
    state_.transferJob.wait();
    state_.jobInWindow = false; // its last report will never be applied
}

bool TransferRunner::start(Mode mode) {
    SettingsSnapshot controls = readSettingsSnapshot(view_);
    // The line does not carry the end character, so the machine is told here.
    line_.virtualMachine().setEndCharacter(endCharacter(controls.endCharField));
    std::function<void()> body;
    if (mode == Mode::Send) {
        body = [this, controls = std::move(controls), text = state_.programText]() mutable {
            const JobContext context{line_, console_, state_.abortRequest, state_.transferLock,
                                     live_};
            SendJob(context, std::move(controls), std::move(text)).run();
        };
    } else {
        body = [this, controls = std::move(controls)]() mutable {
            const JobContext context{line_, console_, state_.abortRequest, state_.transferLock,
                                     live_};
            ReceiveJob(context, std::move(controls), target_).run();
        };
    }
    if (!state_.transferJob.start(std::move(body),
                                  [this] { console_.post([this] { jobEnded(); }); })) {
        return false;
    }
    state_.jobInWindow = true;
    return true;
}

void TransferRunner::jobEnded() {
    state_.jobInWindow = false;
    if (jobEnded_) {
        jobEnded_();
    }
}

} // namespace drovane
