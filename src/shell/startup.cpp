#include "shell/startup.h"

#include "shell/app_icons.h"
#include "shell/app_state.h"
#include "shell/qt_dialogs.h"
#include "shell/settings_access.h"
#include "shell/window_session.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace drovane {
bool installGermanTranslations(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_de"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&translator);
}

QString firstParameter(const QStringList& arguments) {
    if (arguments.size() < 2) {
        return {};
    }
    const QString& first = arguments.at(1);
    if (!first.startsWith(QLatin1Char('"'))) {
        return first;
    }
    const QString rest = arguments.mid(1).join(QLatin1Char(' ')).mid(1);
    const qsizetype quote = rest.indexOf(QLatin1Char('"'));
    return quote < 0 ? rest : rest.left(quote);
}

QString settingsPathBeside(const QString& executableDirectory) {
    const QString name = QStringLiteral("drovane.ini");
    if (executableDirectory.isEmpty()) {
        return name;
    }
    return executableDirectory.endsWith(QLatin1Char('/'))
               ? executableDirectory + name
               : executableDirectory + QLatin1Char('/') + name;
}

void shutdown() {
    std::fflush(nullptr);
    std::_Exit(0);
}

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QTranslator translator;
    installGermanTranslations(translator);

    AppState state; // version, transfer lock
    const AppIcons icons = loadAppIcons();
    state.abortRequest = 0;
    // The fatal-error handler is installed here.
    state.startParameter = firstParameter(QCoreApplication::arguments());
    // The single-instance guard and the hand-over to a running instance go here.

    state.settingsPath = settingsPathBeside(QCoreApplication::applicationDirPath());
    QtDialogs dialogs;
    CommandDispatch::Hooks hooks;
    // The transfer jobs plug into hooks.startTransfer, the help window into
    // hooks.showHelp.
    WindowSession session(state, dialogs, icons, boldFontChosen(state.settingsPath),
                          std::move(hooks));
    dialogs.setOwner(&session.window());
    session.window().show();

    const bool hasStartFile = !state.startParameter.isEmpty();
    if (hasStartFile) {
        session.openStartFile(state.startParameter);
    }
    session.restoreSavedState(hasStartFile);
    session.dispatch().installButtonFilters();
    // The hand-over receiver is installed here.

    QApplication::exec();
    shutdown();
}

} // namespace drovane
