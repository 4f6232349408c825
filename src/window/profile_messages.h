#pragma once

// The titles and texts of the machine-list and profile message boxes.

#include <string_view>

namespace drovane {

inline constexpr std::string_view AddMachineTitle = "Maschine hinzufügen";
inline constexpr std::string_view AddMachinePrompt =
    "Bitte geben Sie einen Namen für die Maschine ein :";
inline constexpr std::string_view DuplicateMachineText =
    "Diese Maschine ist bereits vorhanden. Bitte wählen Sie einen anderen Namen aus !";
inline constexpr std::string_view UnstorableNameText =
    "Dieser Name kann nicht gespeichert werden. Ein Maschinenname darf kein \"]\" und keine "
    "Steuerzeichen enthalten und nicht nur aus Leerzeichen bestehen.";

inline constexpr std::string_view DeleteMachineTitle = "Maschine löschen";
inline constexpr std::string_view LastMachineText =
    "Sie können die letzte Maschine nicht entfernen. Es muss immer eine Maschine vorhanden sein.";
inline constexpr std::string_view DeleteQuestionText =
    "Möchten Sie die Maschine wirklich entfernen ?";
inline constexpr std::string_view NoMachineSelectedText =
    "Es ist keine Maschine ausgewählt, die entfernt werden könnte.";

inline constexpr std::string_view SaveSettingsTitle = "Einstellungen speichern";
inline constexpr std::string_view ChooseMachineTitle = "Maschine wählen";
// Followed by the path of the settings file.
inline constexpr std::string_view NotWrittenText =
    "Die Einstellungen konnten nicht gespeichert werden:\n";

} // namespace drovane
