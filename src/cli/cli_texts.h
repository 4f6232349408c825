#pragma once

// Every text drovane-cli writes of its own, in one place (UTF-8). The lines a
// transfer logs are the jobs' own.

#include <string_view>

namespace drovane::cli_text {

inline constexpr std::string_view kProgramName = "drovane-cli";

// The help, around the parts that differ by platform.
inline constexpr std::string_view kHelpUsage =
    R"(Aufruf:
  drovane-cli send    [--settings INI] [--machine NAME] [--port PORT]
                      [--from-line N | --from-block N100] DATEI
  drovane-cli receive [--settings INI] [--machine NAME] [--port PORT] [--overwrite] DATEI
  drovane-cli machines [--settings INI]
  drovane-cli ports
  drovane-cli --help | --version

Befehle:
  send      sendet DATEI an die Maschine
  receive   empfängt ein Programm von der Maschine und speichert es als DATEI
  machines  listet die Maschinen der Einstellungsdatei (* = gemerkte Maschine)
  ports     listet die seriellen Schnittstellen dieses Rechners

Optionen:
  --settings INI  Einstellungsdatei (sonst drovane.ini neben dem Programm);
                  sie wird nur gelesen, nie geschrieben
  --machine NAME  Maschine (sonst die gemerkte "Maschine", vorgegeben Fanuc10t)
  --port PORT     Schnittstelle nur für diesen Aufruf, z. B. )";
extern const std::string_view kPortExamples;
inline constexpr std::string_view kHelpOverwrite =
    R"(
  --overwrite     eine vorhandene DATEI beim Empfang ersetzen
  --from-line N   nur den Programmkopf (bis zur Programmnummer) und das
                  Programm ab Zeile N senden; die Datei bleibt unverändert
  --from-block N100
                  ebenso ab der ersten Zeile, die mit dem Satz N100 beginnt

)";
extern const std::string_view kInterruptHelp;
inline constexpr std::string_view kHelpExitCodes =
    R"(
Exit-Codes:
  0  Übertragung abgeschlossen (beim Empfang: Datei gespeichert)
  1  Aufruffehler oder Datei nicht lesbar bzw. als Ziel unbrauchbar
  2  Schnittstelle konnte nicht geöffnet werden
  3  abgebrochen (beim Empfang: das bis dahin Empfangene liegt in der
     gemeldeten Datei)
  4  empfangen, aber nicht gespeichert (das Empfangene liegt in der
     gemeldeten Datei, wenn ein Ordner sie aufnahm)
  5  empfangen und gespeichert, aber mit Leitungsfehlern (Programm prüfen)
)";

// Command line. Each "{}" is filled by fill() (transfer/sentence.h); the one
// sentence with two takes the option first, the command second.
inline constexpr std::string_view kNoCommand = "Kein Befehl angegeben.";
inline constexpr std::string_view kUnknownCommand = "Unbekannter Befehl: {}";
inline constexpr std::string_view kUnknownOption = "Unbekannte Option: {}";
inline constexpr std::string_view kOptionNotFor = "Die Option {} gilt nicht für den Befehl {}.";
inline constexpr std::string_view kOptionTwice = "Die Option {} ist mehrfach angegeben.";
inline constexpr std::string_view kOptionTakesNoValue = "Die Option {} hat keinen Wert.";
inline constexpr std::string_view kValueMissing = "Der Option {} fehlt ihr Wert.";
inline constexpr std::string_view kValueEmpty = "Der Wert der Option {} ist leer.";
inline constexpr std::string_view kFileMissing = "Dem Befehl {} fehlt die DATEI.";
inline constexpr std::string_view kFileEmpty = "Der Dateiname ist leer.";
inline constexpr std::string_view kExtraArgument = "Überzähliges Argument: {}";
inline constexpr std::string_view kStartTwice =
    "Die Optionen --from-line und --from-block schließen einander aus.";
inline constexpr std::string_view kBadLine = "Die Zeilennummer {} ist keine Zahl ab 1.";
inline constexpr std::string_view kBadBlock = "Die Satznummer {} hat nicht die Form N100.";
inline constexpr std::string_view kSeeHelp = "Hilfe: drovane-cli --help";

// Settings and machines
inline constexpr std::string_view kSettingsMissing =
    "Warnung: Einstellungsdatei {} nicht gefunden, es gelten die Standardwerte.";
inline constexpr std::string_view kSettingsUnreadable =
    "Warnung: Einstellungsdatei {} kann nicht gelesen werden, es gelten die Standardwerte.";
inline constexpr std::string_view kUnknownMachine = "Unbekannte Maschine: {}";
inline constexpr std::string_view kKnownMachines = "Bekannte Maschinen: {}";
inline constexpr std::string_view kNoMachines = "Die Einstellungsdatei enthält keine Maschine.";
inline constexpr std::string_view kRememberedWithoutGroup =
    "Warnung: Maschine {} hat keinen Eintrag in der Einstellungsdatei, es gelten die "
    "Standardwerte.";
inline constexpr std::string_view kUnreadableGroup =
    "Die Maschine {} wird nicht verwendet: ihr Gruppenname in der Einstellungsdatei ist kein "
    "gültiges UTF-8 oder enthält Zeichen außerhalb von Windows-1252.";
inline constexpr std::string_view kNoPorts = "Keine seriellen Schnittstellen gefunden.";
inline constexpr std::string_view kNoAlias = "-";
// A setting the port would refuse.
inline constexpr std::string_view kInvalidValue = "ungültig";

// Program files
inline constexpr std::string_view kFileUnreadable = "Datei {} kann nicht gelesen werden.";
inline constexpr std::string_view kInvalidTarget = "Der Dateiname enthält ungültige Zeichen !";
inline constexpr std::string_view kTargetExists =
    "Die Datei {} existiert bereits; --overwrite ersetzt sie.";
inline constexpr std::string_view kTargetIsFolder = "Das Ziel {} ist ein Ordner.";
inline constexpr std::string_view kSaved = "Programm unter {} gespeichert.";
inline constexpr std::string_view kSaveFailed =
    "Fehler! Programm konnte nicht unter {} gespeichert werden.";
inline constexpr std::string_view kNothingReceived = "Nichts empfangen, keine Datei gespeichert.";
inline constexpr std::string_view kTargetAppeared =
    "Die Datei {} ist während des Empfangs entstanden und bleibt unverändert; nichts gespeichert.";

inline constexpr std::string_view kFolderMissing = "Der Ordner {} existiert nicht.";
inline constexpr std::string_view kRescued = "Der empfangene Text liegt in {}.";
inline constexpr std::string_view kNotRescued =
    "Der empfangene Text konnte nirgends gesichert werden; nichts ist gespeichert.";

// Transfers
inline constexpr std::string_view kInterrupted = "Abbruch angefordert...";

// A crash, after the program name: the fault's code and the step marker.
inline constexpr std::string_view kCrashBefore = ": Programmfehler 0x";
inline constexpr std::string_view kCrashLine = " Zeile: ";

} // namespace drovane::cli_text
