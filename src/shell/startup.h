#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace drovane {

// The program from launch to the end of the event loop; always returns 0.
int runApplication(int argc, char** argv);

// StartParameter from the application's arguments (the program name first).
QString startParameterOf(const QStringList& arguments);

// drovane.ini beside the executable; the bare name when its folder is unknown.
QString settingsPathBeside(const QString& executableDirectory);

// German "Ja", "Nein", "OK", "Abbrechen" on the standard buttons; the
// translator must outlive the application's use of it.
bool installGermanTranslations(QTranslator& translator);

// Ends the process at once: no question, no save, no waiting for a job.
[[noreturn]] void shutdown();

} // namespace drovane
