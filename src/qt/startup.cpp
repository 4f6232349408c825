#include "qt/startup.h"

#include "core/current_line.h"
#include "qt/app_icons.h"
#include "qt/embedded_resources.h"
#include "qt/hand_over_receiver.h"
#include "qt/help_window.h"
#include "qt/instance_directory.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_hand_over_inbox.h"
#include "qt/qt_text.h"
#include "qt/qt_transfer_runner.h"
#include "qt/single_instance.h"
#include "qt/start_parameter.h"
#include "qt/window_messages.h"
#include "qt/window_session.h"
#include "window/app_state.h"
#include "window/settings_access.h"
#include "window/start_order.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
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

    AppState state; // version, transfer lock
    QtDialogs dialogs;
    const std::filesystem::path instanceDirectory = defaultInstanceDirectory();
    std::optional<InstanceLock> instanceLock; // held until the process ends
    std::optional<WindowSession> session;
    std::optional<QtTransferRunner> runner;
    std::optional<QtHandOverInbox> inbox;
    std::optional<HandOverReceiver> receiver;

    StartSteps steps;
    steps.prepare = [&] {
        registerEmbeddedResources();
        AppIcons::iconSend(); // loads the four pictures
        state.abortRequest.clear();
        markStep();
        installFatalErrorHandler(std::move(options.fatalBox));
    };
    steps.startParameter = [&state] {
        state.startParameter = startParameterOf(QCoreApplication::arguments()).toStdString();
        return state.startParameter;
    };
    steps.handedOverToRunningInstance = [&](const std::string& parameter) {
        instanceLock.emplace(instanceDirectory);
        if (instanceLock->role() != InstanceLock::Role::Second) {
            return false;
        }
        // Nobody listening (the first is still starting) ends this start all the same.
        sendHandOver(instanceDirectory, handOverText(QString::fromStdString(parameter)));
        return true;
    };
    steps.showWindow = [&] {
        state.settingsPath =
            settingsPathBeside(QCoreApplication::applicationDirPath()).toStdString();
        session.emplace(state, dialogs, boldFontChosen(state.settingsPath),
                        CommandDispatch::Hooks{});
        runner.emplace(state, *session);
        session->dispatch().setStartTransfer([&runner](Mode mode) { runner->start(mode); });
        session->dispatch().setSendFromLine(
            [&runner](std::size_t line) { runner->startSendFrom(line); });
        HelpWindow* help = nullptr; // made on the first request, owned by the window
        session->dispatch().setHelp([help, &session]() mutable {
            if (help == nullptr) {
                help = new HelpWindow(&session->window());
            }
            help->present();
        });
        dialogs.setOwner(&session->window());
        session->window().show();
        if (session->window().windowHandle() == nullptr) {
            RaiseFatal(7);
        }
    };
    steps.openStartFile = [&](const std::string& path) {
        session->openStartFile(path);
    };
    steps.restoreSavedState = [&](bool hasStartFile) {
        session->restoreSavedState(hasStartFile);
    };
    steps.finishWindow = [&] {
        session->installButtonFilters();
        if (!germanTexts) {
            session->window().appendStatus(GermanQtTextsMissing);
        }
    };
    steps.receiveHandOvers = [&] {
        inbox.emplace(*session);
        runner->setJobEnded([&inbox] { inbox->jobEnded(); });
        receiver.emplace(instanceDirectory);
        QObject::connect(&*receiver, &HandOverReceiver::handedOver, &*inbox,
                         &QtHandOverInbox::receive);
        if (options.started) {
            options.started(*session, state, *inbox);
        }
    };
    if (runStartOrder(steps) == StartOutcome::HandedOver) {
        shutdown();
    }
    QApplication::exec();
    shutdown();
}

} // namespace drovane
