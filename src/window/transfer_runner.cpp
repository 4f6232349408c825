#include "window/transfer_runner.h"

#include "transfer/job_settings.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"
#include "window/restart_text.h"
#include "window/settings_snapshot_reader.h"

#include <string>
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
        follow(controls, SendFollow(controls.beforeProgramField, 0, 1));
        body = [this, controls = std::move(controls),
                text = std::string(state_.programText.view())]() mutable {
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
    return startJob(std::move(body));
}

bool TransferRunner::startSendFrom(std::size_t line) {
    if (state_.jobRuns()) {
        return false;
    }
    Restart restart = prepareRestart(state_.programText, {SendStart::Kind::Line, line});
    if (!restart.text) {
        view_.appendStatus(restart.refusal);
        return false;
    }
    SettingsSnapshot controls = readSettingsSnapshot(view_);
    line_.virtualMachine().setEndCharacter(endCharacter(controls.endCharField));
    follow(controls, SendFollow(controls.beforeProgramField, restart.headLines, restart.line));
    return startJob([this, controls = std::move(controls), text = std::move(*restart.text),
                     first = restart.line]() mutable {
        const JobContext context{line_, console_, state_.abortRequest, state_.transferLock, live_};
        SendJob(context, std::move(controls), std::move(text), first).run();
    });
}

bool TransferRunner::startJob(std::function<void()> body) {
    if (!state_.transferJob.start(std::move(body),
                                  [this] { console_.post([this] { jobEnded(); }); })) {
        return false;
    }
    state_.jobInWindow = true;
    return true;
}

// The job reports the line of the text it sends; the view shows the program's.
void TransferRunner::follow(const SettingsSnapshot& controls, const SendFollow& follow) {
    console_.setSendPositionShown([this, follow, settings = serialSettingsFrom(controls)](
                                      std::size_t line, std::int64_t bytesLeft) {
        view_.followEditorLine(follow.programLine(line));
        view_.setStatusField(1, remainingTimeText(bytesLeft, settings));
    });
}

void TransferRunner::jobEnded() {
    state_.jobInWindow = false;
    console_.setSendPositionShown({});
    view_.followEditorLine(std::nullopt);
    view_.setStatusField(1, "");
    if (jobEnded_) {
        jobEnded_();
    }
}

} // namespace drovane
