#include "shell/startup.h"

#include "shell/app_icons.h"
#include "shell/app_state.h"
#include "shell/embedded_resources.h"
#include "shell/help_window.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_text.h"
#include "shell/settings_access.h"
#include "shell/start_parameter.h"
#include "shell/transfer_runner.h"
#include "shell/window_session.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace drovane {

QString startParameterOf(const QStringList& arguments) {
    std::vector<std::string> texts;
    for (const QString& argument : arguments.mid(1)) {
        texts.push_back(localPathBytes(argument));
    }
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return qStringFromLocalPath(startParameter(views));
}

bool installGermanTranslations(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_de"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&translator);
}

QString settingsPathBeside(const QString& executableDirectory) {
    QString name = QStringLiteral("drovane.ini");
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
    registerEmbeddedResources();
    AppIcons::iconSend(); // loads the four pictures
    state.abortRequest.clear();
    // The fatal-error handler is installed here.
    state.startParameter = startParameterOf(QCoreApplication::arguments());
    // The single-instance guard and the hand-over to a running instance go here.

    state.settingsPath = settingsPathBeside(QCoreApplication::applicationDirPath());
    QtDialogs dialogs;
    HelpWindow* help = nullptr; // made on the first request, owned by the window
    CommandDispatch::Hooks hooks;
    TransferRunner* transfers = nullptr;
    hooks.startTransfer = [&transfers](Mode mode) {
        if (transfers != nullptr) {
            transfers->start(mode);
        }
    };
    WindowSession session(state, dialogs, boldFontChosen(state.settingsPath), std::move(hooks));
    TransferRunner runner(state, session);
    transfers = &runner;
    session.dispatch().setHelp([&help, &session] {
        if (help == nullptr) {
            help = new HelpWindow(&session.window());
        }
        help->present();
    });
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
