#pragma once

// Why a port could not be opened, and the line a job logs for it right after
// the open-failure line (UTF-8).

#include <array>
#include <cstdint>
#include <string_view>

namespace drovane {

enum class OpenFailure : std::uint8_t {
    None,       // the last open succeeded (or none was tried)
    NoSuchPort, // no device of that name
    NotSerial,  // the name is something other than a serial device
    InUse,      // another program (or this one) has it open
    PermissionDenied,
    SettingsRefused, // rate, data bits, parity or handshake the port cannot take
    DeviceFailed,    // the device answered with an error of its own
    // Ports on a device server in the network.
    BadNetworkName,    // rfc2217:// or socket:// followed by no valid host:port
    HostUnknown,       // the host name does not resolve
    ConnectionRefused, // nothing listens on that port
    ConnectTimedOut,   // no answer within the connect timeout
    HostUnreachable,   // no route to the host
    NoComPortControl,  // the server does not take the COM port control option
};

struct OpenFailureLine {
    OpenFailure reason;
    std::string_view line;
};

inline constexpr std::array<OpenFailureLine, 12> kOpenFailureLines{{
    {OpenFailure::NoSuchPort, "Ursache: die Schnittstelle existiert nicht."},
    {OpenFailure::NotSerial, "Ursache: das Gerät ist keine serielle Schnittstelle."},
    {OpenFailure::InUse, "Ursache: die Schnittstelle wird von einem anderen Programm benutzt."},
    {OpenFailure::PermissionDenied, "Ursache: keine Berechtigung für die Schnittstelle."},
    {OpenFailure::SettingsRefused,
     "Ursache: die Schnittstelle nimmt die Einstellungen nicht an (Baudrate, Datenbits, "
     "Parität, Stopbits oder Handshake)."},
    {OpenFailure::DeviceFailed, "Ursache: die Schnittstelle meldet einen Gerätefehler."},
    {OpenFailure::BadNetworkName,
     "Ursache: der Netzwerk-Port ist kein gültiges rfc2217://Rechner:Port oder "
     "socket://Rechner:Port."},
    {OpenFailure::HostUnknown, "Ursache: der Rechnername ist unbekannt."},
    {OpenFailure::ConnectionRefused, "Ursache: der Server lehnt die Verbindung ab."},
    {OpenFailure::ConnectTimedOut,
     "Ursache: der Server hat innerhalb von 5 Sekunden nicht geantwortet."},
    {OpenFailure::HostUnreachable, "Ursache: der Rechner ist im Netzwerk nicht erreichbar."},
    {OpenFailure::NoComPortControl,
     "Ursache: der Server bietet keine Steuerung der Schnittstelle (RFC 2217) an."},
}};

// Empty for None.
std::string_view openFailureLine(OpenFailure reason);

// The reason for an errno of a failed open or configuration call (POSIX).
OpenFailure openFailureFromErrno(int error);

// The reason for a GetLastError code of a failed CreateFileW (Windows).
OpenFailure openFailureFromWindowsError(std::uint32_t error);

} // namespace drovane
