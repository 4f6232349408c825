#pragma once

// What install, uninstall and service say. A "{}" marks where a text goes
// (fill).

#include <string_view>

namespace drovane::service_control_messages {

inline constexpr std::string_view kWindowsOnly =
    "{} gibt es nur unter Windows; unter Linux startet systemd den Dienst mit "
    "drovane-dnc run (packaging/drovane-dnc.service, siehe LIESMICH).";
inline constexpr std::string_view kInstalled =
    "Dienst {} eingetragen: er startet mit dem PC und nach einem Ausfall nach 5 s neu.";
inline constexpr std::string_view kStartHint = "Jetzt starten mit: net start {}";
inline constexpr std::string_view kFilesBeside =
    "Er liest drovane.ini und drovane-dnc.ini im Ordner {}.";
inline constexpr std::string_view kAlreadyInstalled = "Der Dienst {} ist schon eingetragen.";
inline constexpr std::string_view kNotInstalled = "Der Dienst {} ist nicht eingetragen.";
inline constexpr std::string_view kNeedsAdministrator =
    "Zugriff verweigert: {} braucht eine Eingabeaufforderung als Administrator.";
inline constexpr std::string_view kInstallFailed = "Der Dienst ließ sich nicht eintragen: {}";
inline constexpr std::string_view kStopping = "Dienst {} wird angehalten.";
inline constexpr std::string_view kUninstalled = "Dienst {} ausgetragen.";
inline constexpr std::string_view kUninstallFailed = "Der Dienst ließ sich nicht austragen: {}";
inline constexpr std::string_view kNotUnderManager =
    "service startet nur der Dienststeuerungs-Manager; von Hand bedient drovane-dnc run.";

} // namespace drovane::service_control_messages
