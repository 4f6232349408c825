#include "serial/termios/termios_config.h"

#include <gtest/gtest.h>

#include <string>

namespace drovane {
namespace {

SerialSettings settings(std::int32_t baud = 9600, std::uint8_t parity = 0,
                        std::uint8_t dataBits = 8, double stopBits = 1.0,
                        Handshake handshake = Handshake::NoHandshake) {
    SerialSettings s;
    s.portName = "COM1";
    s.baudRate = baud;
    s.parity = parity;
    s.dataBits = dataBits;
    s.stopBits = stopBits;
    s.handshake = handshake;
    return s;
}

TEST(BuildTermios, IsRawWithReceiverOnAndOnlyTheHandshakesKernelFlow) {
    for (const Handshake handshake :
         {Handshake::NoHandshake, Handshake::RtsHandshake, Handshake::RtsCts, Handshake::XonXoff}) {
        const auto t = buildTermios(settings(9600, 2, 8, 1.0, handshake));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->c_iflag & (IXON | IXANY | INPCK | PARMRK | ISTRIP | ICRNL | INLCR | IGNCR |
                                BRKINT | IGNPAR),
                  0U);
        EXPECT_EQ(t->c_oflag & OPOST, 0U);
        EXPECT_EQ(t->c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0U);
        EXPECT_EQ(t->c_cflag & (CLOCAL | CREAD), CLOCAL | CREAD);
        EXPECT_EQ(t->c_cc[VMIN], 1);
        EXPECT_EQ(t->c_cc[VTIME], 0);
        // Hardware flow only for RTS/CTS: nothing an earlier mode set stays.
        EXPECT_EQ((t->c_cflag & CRTSCTS) != 0, handshake == Handshake::RtsCts);
        // The kernel throttles the far end by XOFF while the program cannot.
        EXPECT_EQ((t->c_iflag & IXOFF) != 0, handshake == Handshake::XonXoff);
    }
}

TEST(BuildTermios, SetsEveryParity) {
    const tcflag_t mask = PARENB | PARODD | CMSPAR;
    EXPECT_EQ(buildTermios(settings(9600, 0))->c_cflag & mask, 0U);
    EXPECT_EQ(buildTermios(settings(9600, 1))->c_cflag & mask, PARENB | PARODD);
    EXPECT_EQ(buildTermios(settings(9600, 2))->c_cflag & mask, PARENB);
    EXPECT_EQ(buildTermios(settings(9600, 3))->c_cflag & mask, PARENB | CMSPAR | PARODD);
    EXPECT_EQ(buildTermios(settings(9600, 4))->c_cflag & mask, PARENB | CMSPAR);
    EXPECT_FALSE(buildTermios(settings(9600, 5)));
}

TEST(BuildTermios, OneStopBitOnlyForExactlyOne) {
    EXPECT_EQ(buildTermios(settings(9600, 0, 8, 1.0))->c_cflag & CSTOPB, 0U);
    for (const double stopBits : {1.5, 2.0, 0.0, 3.0, 1.0001}) {
        EXPECT_EQ(buildTermios(settings(9600, 0, 8, stopBits))->c_cflag & CSTOPB, CSTOPB)
            << stopBits;
    }
}

TEST(BuildTermios, SetsDataBitsFiveToEightOnly) {
    EXPECT_EQ(buildTermios(settings(9600, 0, 5))->c_cflag & CSIZE, CS5);
    EXPECT_EQ(buildTermios(settings(9600, 0, 6))->c_cflag & CSIZE, CS6);
    EXPECT_EQ(buildTermios(settings(9600, 0, 7))->c_cflag & CSIZE, CS7);
    EXPECT_EQ(buildTermios(settings(9600, 0, 8))->c_cflag & CSIZE, CS8);
    EXPECT_FALSE(buildTermios(settings(9600, 0, 4)));
    EXPECT_FALSE(buildTermios(settings(9600, 0, 9)));
}

TEST(BuildTermios, UsesStandardRateConstantsAndBotherForOthers) {
    const struct {
        std::int32_t baud;
        tcflag_t bits;
    } cases[] = {{50, B50},       {110, B110},       {300, B300},      {1200, B1200},
                 {4800, B4800},   {9600, B9600},     {19200, B19200},  {38400, B38400},
                 {57600, B57600}, {115200, B115200}, {250000, BOTHER}, {31250, BOTHER},
                 {12345, BOTHER}};
    for (const auto& c : cases) {
        const auto t = buildTermios(settings(c.baud));
        ASSERT_TRUE(t) << c.baud;
        EXPECT_EQ(t->c_cflag & CBAUD, c.bits) << c.baud;
        EXPECT_EQ(t->c_ospeed, static_cast<speed_t>(c.baud));
        EXPECT_EQ(t->c_ispeed, static_cast<speed_t>(c.baud));
        // The input rate follows the output rate.
        EXPECT_EQ(t->c_cflag & CIBAUD, 0U);
    }
    EXPECT_FALSE(buildTermios(settings(0)));
    EXPECT_FALSE(buildTermios(settings(-9600)));
}

} // namespace
} // namespace drovane
