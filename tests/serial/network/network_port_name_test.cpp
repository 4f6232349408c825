#include "serial/network/network_port_name.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

struct GoodName {
    const char* name;
    const char* host;
    std::uint16_t port;
    NetworkProtocol protocol;
};

TEST(NetworkPortName, WellFormedNamesGiveProtocolHostAndPort) {
    const GoodName cases[] = {
        {"rfc2217://127.0.0.1:4001", "127.0.0.1", 4001, NetworkProtocol::Rfc2217},
        {"socket://devsrv.halle2.local:23", "devsrv.halle2.local", 23, NetworkProtocol::RawSocket},
        {"rfc2217://[::1]:7000", "::1", 7000, NetworkProtocol::Rfc2217},
        {"socket://[fe80::1:2]:1", "fe80::1:2", 1, NetworkProtocol::RawSocket},
        {"rfc2217://m-3:65535", "m-3", 65535, NetworkProtocol::Rfc2217},
    };
    for (const GoodName& c : cases) {
        const NetworkPortName parsed = parseNetworkPortName(c.name);
        ASSERT_TRUE(parsed.address.has_value()) << c.name << ": " << parsed.problem;
        EXPECT_EQ(parsed.address->protocol, c.protocol) << c.name;
        EXPECT_EQ(parsed.address->host, c.host) << c.name;
        EXPECT_EQ(parsed.address->port, c.port) << c.name;
        EXPECT_TRUE(isNetworkPortName(c.name)) << c.name;
    }
}

// Each of these must be refused before any resolver sees a piece of it.
TEST(NetworkPortName, MalformedNamesAreRefusedWithAReason) {
    const char* const cases[] = {
        "rfc2217://",
        "rfc2217://:4001",
        "rfc2217://host",
        "rfc2217://host:",
        "rfc2217://host:0",
        "rfc2217://host:65536",
        "rfc2217://host:123456",
        "rfc2217://host:+23",
        "rfc2217://host:23/",
        "rfc2217://host:23 ",
        "rfc2217://host:2a",
        "rfc2217:// host:23",
        "rfc2217://ho st:23",
        "rfc2217://host;rm -rf:23",
        "rfc2217://-host:23",
        "rfc2217://host-:23",
        "rfc2217://a..b:23",
        "rfc2217://user@host:23",
        "rfc2217://host:23:24",
        "socket://::1:23",
        "socket://[::1]",
        "socket://[::1]23",
        "socket://[::1:23",
        "socket://[fe80::1%eth0]:23",
        "socket://[host]:23",
        "socket://[]:23",
    };
    for (const char* name : cases) {
        const NetworkPortName parsed = parseNetworkPortName(name);
        EXPECT_FALSE(parsed.address.has_value()) << name;
        EXPECT_FALSE(parsed.problem.empty()) << name;
        EXPECT_TRUE(isNetworkPortName(name)) << name;
    }
}

TEST(NetworkPortName, OnlyTheTwoSchemesInLowerCaseBelongToTheNetwork) {
    for (const char* name : {"COM1", "/dev/ttyS0", "ttyUSB0", "VIRTUELL", "RFC2217://h:1",
                             "telnet://h:23", "rfc2217:/h:1", "socket:h:1"}) {
        EXPECT_FALSE(isNetworkPortName(name)) << name;
        EXPECT_FALSE(parseNetworkPortName(name).address.has_value()) << name;
    }
}

TEST(NetworkPortName, AHostOfMoreThan253CharactersIsRefused) {
    std::string host;
    while (host.size() < 254) {
        host += "abcdefghi.";
    }
    host.resize(254);
    host.back() = 'x';
    EXPECT_FALSE(parseNetworkPortName("socket://" + host + ":23").address.has_value());
    EXPECT_TRUE(parseNetworkPortName("socket://" + host.substr(1) + ":23").address.has_value());
}

} // namespace
} // namespace drovane
