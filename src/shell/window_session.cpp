#include "shell/window_session.h"

#include "shell/app_state.h"
#include "shell/settings_access.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace drovane {

WindowSession::WindowSession(AppState& state, Dialogs& dialogs, bool boldFont,
                             CommandDispatch::Hooks hooks)
    : state_(state), window_(boldFont), programs_(state, window_, dialogs),
      dispatch_(new CommandDispatch(state, window_, dialogs, programs_, std::move(hooks))) {
    dispatch_->connectControls();
}

void WindowSession::openStartFile(const QString& path) {
    // A shell hands over names relative to where it stands.
    programs_.openProgramByPath(QFileInfo(path).absoluteFilePath(), false);
}

void WindowSession::restoreSavedState(bool hasStartFile) {
    // The machine profiles are loaded here too once they exist.
    QString home = QDir::homePath();
    if (!home.endsWith(QLatin1Char('/'))) {
        home += QLatin1Char('/');
    }
    state_.ncDirectory = readTopLevelSetting(state_.settingsPath, QStringLiteral("Path"), home);
    window_.patternField()->setText(readTopLevelSetting(
        state_.settingsPath, QStringLiteral("Pattern"), QStringLiteral("*.nc")));
    if (!hasStartFile) {
        FileList& list = *window_.fileList();
        list.pointAt(state_.ncDirectory + window_.patternField()->text());
        window_.directoryField()->setText(list.currentDirectory());
    }
}

} // namespace drovane
