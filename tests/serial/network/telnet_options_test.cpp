#include "serial/network/telnet_options.h"

#include "serial/network/com_port_codec.h"

#include <gtest/gtest.h>

namespace drovane::telnet {
namespace {

TEST(TelnetOptions, OpeningOffersComPortAndBinaryBothWays) {
    TelnetOptions options;
    const std::string opening = options.opening();
    for (const std::string& expected :
         {negotiation(kWill, kComPort), negotiation(kWill, kBinary), negotiation(kDo, kBinary)}) {
        EXPECT_NE(opening.find(expected), std::string::npos);
    }
}

struct Exchange {
    unsigned char verb = 0;
    unsigned char option = 0;
    std::optional<std::string> answer;
};

// The greeting ser2net sends, then a repeat: agreed options are not
// answered again (no loop), echo and unknown options are refused.
TEST(TelnetOptions, AnswersTheServersGreetingWithoutLooping) {
    TelnetOptions options;
    options.opening();
    const Exchange exchanges[] = {
        {kWill, kSuppressGoAhead, std::nullopt},
        {kDo, kSuppressGoAhead, std::nullopt},
        {kWill, kEcho, negotiation(kDont, kEcho)},
        {kDont, kEcho, std::nullopt},
        {kDo, kBinary, std::nullopt},
        {kWill, kBinary, std::nullopt},
        {kDo, kComPort, std::nullopt},
        {kDo, 24, negotiation(kWont, 24)},
        {kWill, 31, negotiation(kDont, 31)},
        {kDont, kBinary, negotiation(kWont, kBinary)},
        {kDont, kBinary, std::nullopt},
        {kDo, kBinary, negotiation(kWill, kBinary)},
    };
    for (const Exchange& e : exchanges) {
        EXPECT_EQ(options.answer(e.verb, e.option), e.answer)
            << int(e.verb) << " " << int(e.option);
    }
    EXPECT_TRUE(options.comPortAccepted());
}

TEST(TelnetOptions, AServerThatRefusesComPortIsSeen) {
    TelnetOptions options;
    options.opening();
    EXPECT_FALSE(options.comPortAccepted());
    EXPECT_FALSE(options.comPortRefused());
    options.answer(kDont, kComPort);
    EXPECT_TRUE(options.comPortRefused());
}

} // namespace
} // namespace drovane::telnet
