#pragma once

// The journal's words for a transfer's kind and result, byte for byte (UTF-8).

#include <string_view>

namespace drovane::journal_texts {

// kind
inline constexpr std::string_view kReceived = "empfangen";
inline constexpr std::string_view kSent = "gesendet";
inline constexpr std::string_view kRequest = "anfrage";
inline constexpr std::string_view kIncomplete = "unvollstaendig";

// result
inline constexpr std::string_view kSaved = "gespeichert";
inline constexpr std::string_view kUnchanged = "unverändert";
inline constexpr std::string_view kSentResult = "gesendet";
inline constexpr std::string_view kNotFound = "nicht gefunden";
inline constexpr std::string_view kRefused = "abgelehnt";
inline constexpr std::string_view kAborted = "abgebrochen";
inline constexpr std::string_view kLineError = "Leitungsfehler";
inline constexpr std::string_view kFailed = "Fehler";

} // namespace drovane::journal_texts
