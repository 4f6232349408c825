#include "serial/network/network_port_name.h"

#include <algorithm>
#include <array>

namespace drovane {

namespace {

struct Scheme {
    std::string_view prefix;
    NetworkProtocol protocol;
};

constexpr std::array<Scheme, 2> kSchemes{{
    {"rfc2217://", NetworkProtocol::Rfc2217},
    {"socket://", NetworkProtocol::RawSocket},
}};

constexpr std::string_view kNoHost = "Der Netzwerk-Port nennt keinen Rechner.";
constexpr std::string_view kBadHost = "Der Rechnername des Netzwerk-Ports ist ungültig.";
constexpr std::string_view kBadIpv6 = "Die IPv6-Adresse des Netzwerk-Ports ist ungültig.";
constexpr std::string_view kNoPort = "Dem Netzwerk-Port fehlt die Portnummer (Rechner:Port).";
constexpr std::string_view kBadPort = "Die Portnummer des Netzwerk-Ports muss 1 bis 65535 sein.";
constexpr std::string_view kNoScheme = "Ein Netzwerk-Port beginnt mit rfc2217:// oder socket://.";

// The longest DNS name.
constexpr std::size_t kLongestHost = 253;
constexpr std::size_t kLongestLabel = 63;
constexpr std::size_t kLongestIpv6 = 45;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetterOrDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Labels of letters, digits and inner hyphens, joined by single dots.
bool isHostName(std::string_view host) {
    if (host.empty() || host.size() > kLongestHost) {
        return false;
    }
    std::size_t labelStart = 0;
    for (std::size_t i = 0; i <= host.size(); ++i) {
        if (i < host.size() && host[i] != '.') {
            if (!isLetterOrDigit(host[i]) && host[i] != '-') {
                return false;
            }
            continue;
        }
        const std::string_view label = host.substr(labelStart, i - labelStart);
        if (label.empty() || label.size() > kLongestLabel || label.front() == '-' ||
            label.back() == '-') {
            return false;
        }
        labelStart = i + 1;
    }
    return true;
}

// Hex groups and colons, perhaps a dotted IPv4 tail; the resolver checks the
// rest without looking anything up, since it is a literal.
bool looksLikeIpv6(std::string_view host) {
    if (host.size() < 2 || host.size() > kLongestIpv6 ||
        std::count(host.begin(), host.end(), ':') < 2) {
        return false;
    }
    return std::all_of(host.begin(), host.end(),
                       [](char c) { return isHexDigit(c) || c == ':' || c == '.'; });
}

std::optional<std::uint16_t> portNumber(std::string_view digits) {
    constexpr std::size_t kMostDigits = 5;
    constexpr unsigned kHighestPort = 65535;
    if (digits.empty() || digits.size() > kMostDigits ||
        !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : digits) {
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > kHighestPort) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

NetworkPortName refused(std::string_view problem) {
    return {std::nullopt, problem};
}

} // namespace

bool isNetworkPortName(std::string_view portName) {
    return std::any_of(kSchemes.begin(), kSchemes.end(), [portName](const Scheme& scheme) {
        return portName.starts_with(scheme.prefix);
    });
}

NetworkPortName parseNetworkPortName(std::string_view portName) {
    const auto* scheme =
        std::find_if(kSchemes.begin(), kSchemes.end(),
                     [portName](const Scheme& s) { return portName.starts_with(s.prefix); });
    if (scheme == kSchemes.end()) {
        return refused(kNoScheme);
    }
    const std::string_view rest = portName.substr(scheme->prefix.size());
    std::string_view host;
    std::string_view afterHost;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            return refused(kBadIpv6);
        }
        host = rest.substr(1, close - 1);
        if (!looksLikeIpv6(host)) {
            return refused(kBadIpv6);
        }
        afterHost = rest.substr(close + 1);
    } else {
        const std::size_t colon = rest.find(':');
        host = rest.substr(0, colon);
        afterHost = colon == std::string_view::npos ? std::string_view() : rest.substr(colon);
        if (host.empty()) {
            return refused(kNoHost);
        }
        if (!isHostName(host)) {
            return refused(kBadHost);
        }
    }
    if (!afterHost.starts_with(':')) {
        return refused(kNoPort);
    }
    const auto port = portNumber(afterHost.substr(1));
    if (!port) {
        return refused(afterHost.size() == 1 ? kNoPort : kBadPort);
    }
    return {NetworkAddress{scheme->protocol, std::string(host), *port}, {}};
}

} // namespace drovane
