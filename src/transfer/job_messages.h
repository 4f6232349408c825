#pragma once

// The texts the transfer jobs show, in one place: log lines, captions and tab
// titles, byte for byte. A "{}" marks where a number or a text goes (fill).

#include <string_view>

namespace drovane::messages {

// Both jobs
inline constexpr std::string_view kOpenFailed =
    "Fehler! serielle Schnittstelle konnte nicht geöffnet werden.";
inline constexpr std::string_view kOpened = "serielle Schnittstelle geöffnet ({})";
inline constexpr std::string_view kAborted = "Übertragung vorzeitig abgebrochen.";
inline constexpr std::string_view kSerialError = "SerialPortError beim {}. Zeichen :";
inline constexpr std::string_view kXoffReceived = "Übertragung wird unterbrochen...(XOFF erhalten)";
inline constexpr std::string_view kXonReceived = "Übertragung wird fortgesetzt...(XON erhalten)";

// StartButton
inline constexpr std::string_view kCaptionAbort = "Abbrechen";
inline constexpr std::string_view kCaptionStart = "Übertragung starten";

// Send
inline constexpr std::string_view kDtrOnSent = "DTR-Signal (ON) gesendet. Warte auf Antwort...";
inline constexpr std::string_view kDsrOnReceived = "DSR-Signal (ON) empfangen.";
inline constexpr std::string_view kRtsSentWaiting =
    "RTS an Maschine gesendet, warte auf Antwort...";
inline constexpr std::string_view kRtsSentSending = "RTS an Maschine gesendet, sende Daten...";
inline constexpr std::string_view kCtsReceived =
    "CTS von Maschine erhalten. Daten werden übertragen...";
inline constexpr std::string_view kRetryInOneSecond =
    "Zeichen wird in 1 Sekunde erneut gesendet...";
inline constexpr std::string_view kDtrOffSent = "DTR-Signal (OFF) gesendet.";
inline constexpr std::string_view kSent = "Übertragung beendet. {} Bytes gesendet.";
inline constexpr std::string_view kNotSent = "Fehler! {} Bytes konnten nicht gesendet werden.";

// Receive
inline constexpr std::string_view kTabReading = " Lesevorgang...";
inline constexpr std::string_view kTabReceived = "gelesenes Programm";
inline constexpr std::string_view kTabProgram = "CNC-Programm";
inline constexpr std::string_view kWaitingForDsr = "Warte auf DTR-Signal (ON).";
inline constexpr std::string_view kDsrArrived =
    "DTR-Signal (ON) empfangen. DSR-Signal (ON) gesendet.";
inline constexpr std::string_view kWaitingForCts = "Warte auf RTS-Signal von Maschine...";
inline constexpr std::string_view kCtsArrived =
    "RTS von Maschine erhalten. Daten werden empfangen...";
inline constexpr std::string_view kNulBytes = "HEX(00) Vorlauf / Nachlauf";
inline constexpr std::string_view kReceived = "{} Bytes empfangen.";
inline constexpr std::string_view kEndedByEof =
    "Programmübertragung durch SerialPort(EOF) beendet.";
inline constexpr std::string_view kEndedByQuiet = "Programmübertragung nach {} s Ruhe beendet.";
inline constexpr std::string_view kEndedByChar = "Programmübertragung durch EOF<{}> beendet.";
inline constexpr std::string_view kSucceeded = "Übertragung erfolgreich abgeschlossen.";
inline constexpr std::string_view kSucceededWithLineErrors =
    "Übertragung mit Leitungsfehlern abgeschlossen, Programm prüfen!";
inline constexpr std::string_view kDsrOffSent = "DSR-Signal (OFF) gesendet.";
inline constexpr std::string_view kStartLine = "Gesendet wird der Programmkopf, dann ab Zeile {}.";

} // namespace drovane::messages
