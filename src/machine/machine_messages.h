#pragma once

// Every line the virtual machine reports, in one place.

#include <cstddef>
#include <string>
#include <string_view>

namespace drovane::machine_text {

inline constexpr std::string_view kPrefix = "Virtuelle Maschine: ";
inline constexpr std::string_view kUnnamed = "ohne Nummer";
inline constexpr std::string_view kOverflowAlarm =
    "Virtuelle Maschine: ALARM Pufferüberlauf, Daten gehen verloren!";
inline constexpr std::string_view kReceptionBroken =
    "Virtuelle Maschine: Einlesen abgebrochen, Programm nicht gespeichert.";
inline constexpr std::string_view kPunchDone = "Virtuelle Maschine: Ausgabe beendet.";
inline constexpr std::string_view kPunchBroken = "Virtuelle Maschine: Ausgabe abgebrochen.";

// "Virtuelle Maschine: Programm O0001 gespeichert, 120 Bytes." and, when
// bytes overflowed, ", 36 Bytes verloren (Pufferüberlauf)." at the end.
std::string stored(std::string_view name, std::size_t bytes, std::size_t lost);

// "Virtuelle Maschine: Ausgabe von Programm O0001 beginnt, 120 Bytes." or,
// with nothing stored, "... Ausgabe von Beispielprogramm O1000 beginnt, ...".
std::string punching(std::string_view name, std::size_t bytes, bool sample);

} // namespace drovane::machine_text
