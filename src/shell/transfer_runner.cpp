#include "shell/transfer_runner.h"

#include "shell/app_state.h"
#include "shell/live_controls_mirror.h"
#include "shell/serial_line_for.h"
#include "shell/settings_snapshot_reader.h"
#include "shell/window_session.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"

#include <memory>
#include <utility>

namespace drovane {

TransferRunner::TransferRunner(AppState& state, WindowSession& session)
    : state_(state), window_(session.window()), console_(session.window(), state),
      target_(console_, session.programs(), state) {
    mirrorLiveControls(window_, live_, console_);
}

TransferRunner::~TransferRunner() {
    if (state_.jobRuns()) {
        state_.abortRequest.raise(AbortRequest::Shutdown);
    }
    state_.transferJob.wait();
}

bool TransferRunner::start(Mode mode) {
    SettingsSnapshot controls = readSettingsSnapshot(window_);
    // Shared, because the job body must be copyable; the job alone uses it.
    std::shared_ptr<SerialLine> line = serialLineFor(controls.portCombo);
    if (mode == Mode::Send) {
        return state_.transferJob.start(
            [this, line, controls = std::move(controls), text = state_.programText]() mutable {
                const JobContext context{*line, console_, state_.abortRequest, state_.transferLock,
                                         live_};
                SendJob(context, std::move(controls), std::move(text)).run();
            });
    }
    return state_.transferJob.start([this, line, controls = std::move(controls)]() mutable {
        const JobContext context{*line, console_, state_.abortRequest, state_.transferLock, live_};
        ReceiveJob(context, std::move(controls), target_).run();
    });
}

} // namespace drovane
