#include "serial/network/com_port_codec.h"

#include <gtest/gtest.h>

namespace drovane::telnet {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

TEST(ComPortEncoder, DataBytesFFAreDoubledAndNothingElseChanges) {
    const std::string data = bytes({0x00, 0xFF, 0x0D, 0xFF, 0xFF, 0xF0, 0x41});
    std::string out;
    appendData(out, reinterpret_cast<const unsigned char*>(data.data()), data.size());
    EXPECT_EQ(out, bytes({0x00, 0xFF, 0xFF, 0x0D, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0x41}));
}

TEST(ComPortEncoder, SettingsCommandsHaveTheirCodesAndValues) {
    struct Case {
        std::string encoded;
        std::string expected;
    };
    const Case cases[] = {
        {setBaudRate(115200), bytes({255, 250, 44, 1, 0x00, 0x01, 0xC2, 0x00, 255, 240})},
        {setDataSize(7), bytes({255, 250, 44, 2, 7, 255, 240})},
        {setParity(0), bytes({255, 250, 44, 3, 1, 255, 240})},
        {setParity(1), bytes({255, 250, 44, 3, 2, 255, 240})},
        {setParity(2), bytes({255, 250, 44, 3, 3, 255, 240})},
        {setParity(4), bytes({255, 250, 44, 3, 5, 255, 240})},
        {setStopSize(1.0), bytes({255, 250, 44, 4, 1, 255, 240})},
        {setStopSize(2.0), bytes({255, 250, 44, 4, 2, 255, 240})},
        {setStopSize(1.5), bytes({255, 250, 44, 4, 3, 255, 240})},
        {setControl(Control::XonXoffFlowControl), bytes({255, 250, 44, 5, 2, 255, 240})},
        {setControl(Control::HardwareFlowControl), bytes({255, 250, 44, 5, 3, 255, 240})},
        {setControl(Control::DtrOn), bytes({255, 250, 44, 5, 8, 255, 240})},
        {setControl(Control::RtsOff), bytes({255, 250, 44, 5, 12, 255, 240})},
        {setMask(ComPortCommand::SetModemStateMask, 0xFF),
         bytes({255, 250, 44, 11, 255, 255, 255, 240})},
        {negotiation(kWill, kComPort), bytes({255, 251, 44})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.encoded, c.expected);
    }
}

// A baud rate with an 0xFF byte must not end the subnegotiation early.
TEST(ComPortEncoder, BaudRateBytesFFAreDoubledInsideTheSubnegotiation) {
    EXPECT_EQ(setBaudRate(0x0001FFFF),
              bytes({255, 250, 44, 1, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 255, 240}));
}

struct Decoded {
    std::string data;
    std::vector<TelnetEvent> events;
};

Decoded decodeInPieces(const std::string& wire, std::size_t piece) {
    TelnetDecoder decoder;
    Decoded out;
    for (std::size_t at = 0; at < wire.size(); at += piece) {
        const std::string part = wire.substr(at, piece);
        decoder.feed(reinterpret_cast<const unsigned char*>(part.data()), part.size(), out.data,
                     out.events);
    }
    return out;
}

TelnetEvent comPort(int command, std::string value) {
    return {TelnetEvent::Kind::ComPort, 0, kComPort, static_cast<unsigned char>(command),
            std::move(value)};
}

TelnetEvent negotiationEvent(int verb, int option) {
    return {TelnetEvent::Kind::Negotiation,
            static_cast<unsigned char>(verb),
            static_cast<unsigned char>(option),
            0,
            {}};
}

// What ser2net sends around a reception, cut into every piece size, so that
// each command is split across reads at every possible byte.
TEST(ComPortDecoder, DataAndCommandsComeApartHoweverTheReadsSplitThem) {
    const std::string wire =
        bytes({'A',  255,  255,  'B',  255,  253, 44,  255, 250, 44,  101, 0x00, 0x01,
               0xFF, 0xFF, 0xFF, 0xFF, 255,  240, 'C', 255, 250, 44,  107, 0x30, 255,
               240,  255,  241,  0x0D, 0x00, 255, 250, 44,  108, 255, 240, 255,  255});
    const std::string expectedData = bytes({'A', 255, 'B', 'C', 0x0D, 0x00, 255});
    const std::vector<TelnetEvent> expectedEvents = {
        negotiationEvent(253, 44),
        comPort(101, bytes({0x00, 0x01, 0xFF, 0xFF})),
        comPort(107, bytes({0x30})),
        comPort(108, ""),
    };
    for (std::size_t piece = 1; piece <= wire.size(); ++piece) {
        const Decoded decoded = decodeInPieces(wire, piece);
        EXPECT_EQ(decoded.data, expectedData) << "pieces of " << piece;
        EXPECT_EQ(decoded.events, expectedEvents) << "pieces of " << piece;
    }
}

TEST(ComPortDecoder, OtherOptionsSubnegotiationsNeverReachTheData) {
    const Decoded decoded =
        decodeInPieces(bytes({'x', 255, 250, 24, 0, 'v', 't', 255, 240, 'y'}), 1);
    EXPECT_EQ(decoded.data, "xy");
    EXPECT_TRUE(decoded.events.empty());
}

// A server that never ends a subnegotiation must not make us hold its
// rest without bound; the data after a proper end is still data.
TEST(ComPortDecoder, AnEndlessSubnegotiationIsCutAndLaterDataSurvives) {
    std::string wire = bytes({255, 250, 44, 107});
    wire += std::string(100000, 'z');
    wire += bytes({255, 240, 'k'});
    const Decoded decoded = decodeInPieces(wire, 4096);
    EXPECT_EQ(decoded.data, "k");
    ASSERT_EQ(decoded.events.size(), 1U);
    EXPECT_LE(decoded.events[0].value.size(), 64U);
}

} // namespace
} // namespace drovane::telnet
