#pragma once

// The lines the service itself writes, beside its jobs' lines. A "{}" marks
// where a text goes (fill).

#include <string_view>

namespace drovane::run_messages {

inline constexpr std::string_view kPortMissing =
    "Schnittstelle {} fehlt, neuer Versuch mit wachsender Pause.";
inline constexpr std::string_view kLeftOut = "Die Schnittstelle {} wird von einem anderen Programm "
                                             "benutzt; die Maschine wird nicht bedient.";
inline constexpr std::string_view kPortBack = "Schnittstelle {} ist wieder da.";
inline constexpr std::string_view kSaved = "Programm gespeichert als {}.";
inline constexpr std::string_view kUnchanged = "Programm unverändert: {}.";
inline constexpr std::string_view kNotSaved = "Fehler! Programm nicht gespeichert: {}";
inline constexpr std::string_view kIncompleteSaved = "Unvollständiger Empfang gespeichert als {}.";
inline constexpr std::string_view kNoReceiveFolder =
    "Kein Empfangsordner: {} Bytes werden nicht gespeichert.";
inline constexpr std::string_view kRequest = "Anfrage nach {}.";
inline constexpr std::string_view kRequestNotServed = "Anfrage nicht bedient: {}.";
inline constexpr std::string_view kSendUnreadable = "Fehler! Datei {} ist nicht lesbar.";
inline constexpr std::string_view kServing = "Anzahl bedienter Maschinen: {}.";
inline constexpr std::string_view kStopping = "Dienst wird beendet.";
inline constexpr std::string_view kReloading = "Einstellungen werden neu gelesen.";
inline constexpr std::string_view kRestarting = "Geänderte Einstellungen, Maschine startet neu.";
inline constexpr std::string_view kNoStatusChannel =
    "Der Statuskanal {} ließ sich nicht öffnen; der Dienst läuft ohne ihn.";
inline constexpr std::string_view kBoardSend = "Senden über die Anzeige: {}.";
inline constexpr std::string_view kJournalFailed = "Fehler! Journal {} nicht beschreibbar.";

} // namespace drovane::run_messages
