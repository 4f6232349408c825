#include "shell/startup.h"

#include "core/current_line.h"
#include "shell/app_icons.h"
#include "shell/embedded_resources.h"
#include "shell/hand_over_inbox.h"
#include "shell/hand_over_receiver.h"
#include "shell/help_window.h"
#include "shell/instance_directory.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_text.h"
#include "shell/single_instance.h"
#include "shell/start_parameter.h"
#include "shell/transfer_runner.h"
#include "shell/window_messages.h"
#include "shell/window_session.h"
#include "window/app_state.h"
#include "window/settings_access.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

bool installGermanTranslations(QTranslator& translator, const QString& directory) {
    return translator.load(QStringLiteral("qtbase_de"),
                           directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                               : directory) &&
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

std::string handOverText(const QString& startParameter) {
    if (startParameter.isEmpty()) {
        return {};
    }
    return localPathBytes(QFileInfo(startParameter).absoluteFilePath());
}

void shutdown() {
    std::fflush(nullptr);
    std::_Exit(0);
}

int runApplication(int argc, char** argv, StartupOptions options) {
    QApplication app(argc, argv);
    QTranslator translator;
    const bool germanTexts = installGermanTranslations(translator, options.translationsDirectory);

    markStep();
    AppState state; // version, transfer lock
    registerEmbeddedResources();
    AppIcons::iconSend(); // loads the four pictures
    state.abortRequest.clear();
    markStep();
    installFatalErrorHandler(std::move(options.fatalBox));
    state.startParameter = startParameterOf(QCoreApplication::arguments()).toStdString();

    markStep();
    const std::filesystem::path instanceDirectory = defaultInstanceDirectory();
    const InstanceLock instanceLock(instanceDirectory); // held until the process ends
    if (instanceLock.role() == InstanceLock::Role::Second) {
        // Nobody listening (the first is still starting) ends this start all the same.
        sendHandOver(instanceDirectory, handOverText(QString::fromStdString(state.startParameter)));
        shutdown();
    }

    markStep();
    state.settingsPath = settingsPathBeside(QCoreApplication::applicationDirPath()).toStdString();
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
    if (session.window().windowHandle() == nullptr) {
        RaiseFatal(7);
    }

    markStep();
    const bool hasStartFile = !state.startParameter.empty();
    if (hasStartFile) {
        session.openStartFile(state.startParameter);
    }
    markStep();
    session.restoreSavedState(hasStartFile);
    session.installButtonFilters();
    if (!germanTexts) {
        // After the start file, whose loading empties the log.
        session.window().appendStatus(GermanQtTextsMissing);
    }

    markStep();
    HandOverInbox inbox(session, [&state] { return state.jobRuns(); });
    runner.setJobEnded([&inbox] { inbox.jobEnded(); });
    HandOverReceiver receiver(instanceDirectory);
    QObject::connect(&receiver, &HandOverReceiver::handedOver, &inbox, &HandOverInbox::receive);
    if (options.started) {
        options.started(session, state, inbox);
    }

    QApplication::exec();
    shutdown();
}

} // namespace drovane
