#pragma once

// The board's own lines and texts. A "{}" marks where a text goes (fill).

#include <string_view>

namespace drovane::board_messages {

inline constexpr std::string_view kBadAddress =
    "Die Anzeige \"{}\" ist keine Adresse der Form Rechner:Port; sie wird nicht gestartet.";
inline constexpr std::string_view kNeedsKey =
    "Die Anzeige auf {} ist von anderen Rechnern erreichbar und wird ohne Anzeige_Schluessel "
    "nicht gestartet.";
inline constexpr std::string_view kCannotListen = "Die Anzeige kann nicht auf {} lauschen: {}";
inline constexpr std::string_view kListening = "Anzeige unter http://{}/";

// The JSON interface's refusals.
inline constexpr std::string_view kNoKey = "Schlüssel fehlt.";
inline constexpr std::string_view kWrongKey = "Falscher Schlüssel.";
inline constexpr std::string_view kReadOnly =
    "Die Anzeige hat keinen Schlüssel und nur Lesezugriff.";
inline constexpr std::string_view kUnknownMachine = "Keine Maschine {}.";
inline constexpr std::string_view kBusy = "Die Maschine {} ist beschäftigt.";
inline constexpr std::string_view kNothingRuns = "An der Maschine {} läuft keine Übertragung.";
inline constexpr std::string_view kBadBody = R"(Erwartet wird {"file": "Name"}.)";
inline constexpr std::string_view kNotFound = "Programm {} nicht gefunden.";
inline constexpr std::string_view kRefused = "Programm {} abgelehnt.";
inline constexpr std::string_view kNoPage = "Diese Seite gibt es nicht.";

} // namespace drovane::board_messages
