#pragma once

// The titles and texts of the machine-list and profile message boxes.

#include <QString>

namespace drovane {

inline const QString AddMachineTitle = QStringLiteral("Maschine hinzufügen");
inline const QString AddMachinePrompt =
    QStringLiteral("Bitte geben Sie einen Namen für die Maschine ein :");
inline const QString DuplicateMachineText = QStringLiteral(
    "Diese Maschine ist bereits vorhanden. Bitte wählen Sie einen anderen Namen aus !");
inline const QString UnstorableNameText = QStringLiteral(
    "Dieser Name kann nicht gespeichert werden. Ein Maschinenname darf kein \"]\" und keine "
    "Steuerzeichen enthalten und nicht nur aus Leerzeichen bestehen.");

inline const QString DeleteMachineTitle = QStringLiteral("Maschine löschen");
inline const QString LastMachineText = QStringLiteral(
    "Sie können die letzte Maschine nicht entfernen. Es muss immer eine Maschine vorhanden sein.");
inline const QString DeleteQuestionText =
    QStringLiteral("Möchten Sie die Maschine wirklich entfernen ?");
inline const QString NoMachineSelectedText =
    QStringLiteral("Es ist keine Maschine ausgewählt, die entfernt werden könnte.");

inline const QString SaveSettingsTitle = QStringLiteral("Einstellungen speichern");
inline const QString ChooseMachineTitle = QStringLiteral("Maschine wählen");
// Followed by the path of the settings file.
inline const QString NotWrittenText =
    QStringLiteral("Die Einstellungen konnten nicht gespeichert werden:\n");

} // namespace drovane
