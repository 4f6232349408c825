#pragma once

// The lines the service writes about its settings (UTF-8), in one place. A
// "{}" marks where a name, a path or a number goes, in order (fill).

#include <string_view>

namespace drovane::service_messages {

// Faults
inline constexpr std::string_view kFileUnreadable = "Die Datei {} kann nicht gelesen werden.";
inline constexpr std::string_view kBadNumber =
    "Der Wert „{}“ von {} der Maschine {} ist keine Zahl von Sekunden bis {}.";
inline constexpr std::string_view kUnknownMachine = "Die Maschine {} steht nicht in {}.";
inline constexpr std::string_view kFolderMissing = "Der Ordner {} der Maschine {} fehlt.";
inline constexpr std::string_view kFolderNotWritable =
    "In den Ordner {} der Maschine {} kann nicht geschrieben werden.";
inline constexpr std::string_view kFolderUnreadable =
    "Der Ordner {} der Maschine {} kann nicht gelesen werden.";
inline constexpr std::string_view kSharedPort =
    "Die Maschine {} nutzt den Port {} wie die Maschine {}.";
inline constexpr std::string_view kDuplicateGroup =
    "Die Maschine {} steht mehrmals in {}; es gilt die erste Gruppe.";

// What `check` says of a machine served
inline constexpr std::string_view kServed = "Die Maschine {} wird an {} bedient.";
inline constexpr std::string_view kReceivesInto = "Sie speichert empfangene Programme in {}.";
inline constexpr std::string_view kNoReceiving =
    "Sie empfängt nichts von selbst, denn ihr fehlt ein Empfangsordner.";
inline constexpr std::string_view kAnswersFrom = "Sie beantwortet Anfragen aus {}.";
inline constexpr std::string_view kNoRequests =
    "Sie beantwortet keine Anfragen, denn ihr fehlt ein Sendeordner.";
inline constexpr std::string_view kFaultLine = "Fehler: {}";
inline constexpr std::string_view kNoFaults = "Keine Fehler gefunden.";
inline constexpr std::string_view kFaultCount = "{} Fehler gefunden.";

// Storing a reception
inline constexpr std::string_view kVersionNotKept =
    "Die ältere Fassung von {} ließ sich nicht nach Versionen sichern; sie bleibt stehen.";
inline constexpr std::string_view kSavedElsewhere =
    "Das Programm ließ sich nicht als {} speichern; es steht in {}.";
inline constexpr std::string_view kNotSaved =
    "Das Programm der Maschine {} ließ sich in {} nicht speichern.";

} // namespace drovane::service_messages
