// Shows the window as the program does, on the tab given, for screenshots:
// screenshot_window SETTINGS_FILE START_FILE TAB
#include "qt/qt_dialogs.h"
#include "qt/startup.h"
#include "qt/window_session.h"
#include "window/app_state.h"
#include "window/settings_access.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        return 2;
    }
    QTranslator translator;
    drovane::installGermanTranslations(translator);
    drovane::AppState state;
    state.settingsPath = arguments.at(1).toStdString();
    drovane::QtDialogs dialogs;
    drovane::WindowSession session(state, dialogs, drovane::boldFontChosen(state.settingsPath), {});
    session.window().show();
    session.openStartFile(arguments.at(2).toStdString());
    session.restoreSavedState(true);
    session.window().mainPanel()->setCurrentIndex(arguments.at(3).toInt());
    return QApplication::exec();
}
