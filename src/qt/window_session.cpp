#include "qt/window_session.h"

#include "qt/qt_command_wiring.h"
#include "window/app_state.h"
#include "window/mode_switch.h"
#include "window/shown_text.h"

#include <filesystem>
#include <utility>

namespace drovane {

WindowSession::WindowSession(AppState& state, Dialogs& dialogs, bool boldFont,
                             CommandDispatch::Hooks hooks)
    : state_(state), window_(std::make_unique<MainWindow>(boldFont)), view_(*window_),
      files_(*window_->fileList()), programs_(state, view_, files_, dialogs),
      dispatch_(state, view_, files_, dialogs, programs_, std::move(hooks)) {
    wireCommands(*window_, dispatch_, wiring_);
}

void WindowSession::openStartFile(const std::string& path) {
    // A shell hands over names relative to where it stands.
    programs_.openProgramByPath(shownFromPath(std::filesystem::absolute(pathFromShown(path))));
}

void WindowSession::restoreSavedState(bool hasStartFile) {
    dispatch_.profiles().initSettingsControls(hasStartFile);
}

void WindowSession::switchMode(Mode mode) {
    drovane::switchMode(state_, view_, mode);
}

void WindowSession::installButtonFilters() {
    drovane::installButtonFilters(*window_, dispatch_);
}

} // namespace drovane
