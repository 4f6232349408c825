#include "shell/window_session.h"

#include "shell/app_state.h"
#include <QFileInfo>
#include <utility>

namespace drovane {

WindowSession::WindowSession(AppState& state, Dialogs& dialogs, bool boldFont,
                             CommandDispatch::Hooks hooks)
    : window_(boldFont), programs_(state, window_, dialogs),
      dispatch_(new CommandDispatch(state, window_, dialogs, programs_, std::move(hooks))) {
    dispatch_->connectControls();
}

void WindowSession::openStartFile(const QString& path) {
    // A shell hands over names relative to where it stands.
    programs_.openProgramByPath(QFileInfo(path).absoluteFilePath());
}

void WindowSession::restoreSavedState(bool hasStartFile) {
    dispatch_->profiles().initSettingsControls(hasStartFile);
}

} // namespace drovane
