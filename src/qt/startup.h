#pragma once

#include "qt/fatal_error_handler.h"

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <functional>
#include <string>

namespace drovane {

struct AppState;
class QtHandOverInbox;
class WindowSession;

// What a test build changes about the start-up; the program uses the defaults.
struct StartupOptions {
    FatalBoxCommand fatalBox;
    // Runs once the window is up and hand-overs are received.
    std::function<void(WindowSession&, AppState&, QtHandOverInbox&)> started;
    // Where Qt's translations lie; empty for Qt's own folder.
    QString translationsDirectory;
};

// The program from launch to the end of the event loop; always returns 0.
int runApplication(int argc, char** argv, StartupOptions options = {});

// What a later start hands over: its parameter made absolute against its own
// working folder, which the running instance does not share; empty stays empty.
std::string handOverText(const QString& startParameter);

// StartParameter from the application's arguments (the program name first).
QString startParameterOf(const QStringList& arguments);

// drovane.ini beside the executable; the bare name when its folder is unknown.
QString settingsPathBeside(const QString& executableDirectory);

// German "Ja", "Nein", "OK", "Abbrechen" on the standard buttons and a German
// folder chooser, from the translations in `directory` (empty: Qt's own);
// the translator must outlive the application's use of it.
bool installGermanTranslations(QTranslator& translator, const QString& directory = {});

// Ends the process at once: no question, no save, no waiting for a job.
[[noreturn]] void shutdown();

} // namespace drovane
