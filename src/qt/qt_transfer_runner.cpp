#include "qt/qt_transfer_runner.h"

#include "qt/qt_control_changes.h"
#include "window/live_controls_mirror.h"

namespace drovane {

QtTransferRunner::QtTransferRunner(AppState& state, WindowSession& session)
    : console_(session.window(), session.view(), state),
      runner_(state, session.view(), session.programs(), console_) {
    reportControlChanges(session.window(), LiveControlsMirror::controls(), links_,
                         [this](std::string_view control) { runner_.controlChanged(control); });
}

} // namespace drovane
