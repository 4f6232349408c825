#pragma once

// Port names that reach a serial port over the network: "rfc2217://host:port"
// (a device server driven through the Telnet COM port option) and
// "socket://host:port" (raw TCP, the serial settings fixed in the server).
// Parsed strictly, so that a half-understood name never reaches a resolver.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

enum class NetworkProtocol : std::uint8_t { Rfc2217, RawSocket };

struct NetworkAddress {
    NetworkProtocol protocol = NetworkProtocol::RawSocket;
    // A DNS name, a dotted IPv4 address or an IPv6 address (without brackets).
    std::string host;
    std::uint16_t port = 0;
};

struct NetworkPortName {
    // Set when the name is well formed.
    std::optional<NetworkAddress> address;
    // Otherwise why not, for the operator (UTF-8).
    std::string_view problem;
};

// True for every name that starts with one of the two schemes, well formed
// or not: such a name belongs to the network back end, which refuses a bad one.
bool isNetworkPortName(std::string_view portName);

NetworkPortName parseNetworkPortName(std::string_view portName);

} // namespace drovane
