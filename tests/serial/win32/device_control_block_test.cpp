#include "serial/win32/device_control_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace drovane {
namespace {

SerialSettings settingsWith(Handshake handshake, std::int32_t inputBufferSize = 4096) {
    SerialSettings settings;
    settings.portName = "COM1";
    settings.handshake = handshake;
    settings.inputBufferSize = inputBufferSize;
    settings.outputBufferSize = 4096;
    return settings;
}

// What another program may have left on the port.
DCB leftOver() {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.fOutxCtsFlow = TRUE;
    dcb.fRtsControl = RTS_CONTROL_TOGGLE;
    dcb.fOutX = TRUE;
    dcb.fInX = TRUE;
    dcb.XonLim = 11;
    dcb.XoffLim = 22;
    dcb.XonChar = 'a';
    dcb.XoffChar = 'b';
    dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dcb.fOutxDsrFlow = TRUE;
    dcb.fDsrSensitivity = TRUE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fNull = TRUE;
    dcb.EofChar = 0x1A;
    dcb.fAbortOnError = TRUE;
    dcb.fBinary = FALSE;
    return dcb;
}

TEST(DeviceControlBlock, FrameIsTakenAsGivenWithParityCheckingAlwaysOn) {
    struct Case {
        std::int32_t baud;
        std::uint8_t dataBits;
        std::uint8_t parity;
        double stopBits;
        BYTE stopCode;
    };
    const std::vector<Case> cases = {
        {50, 5, NOPARITY, 1.0, ONESTOPBIT},         {110, 6, ODDPARITY, 1.5, ONE5STOPBITS},
        {9600, 7, EVENPARITY, 2.0, TWOSTOPBITS},    {115200, 8, MARKPARITY, 1.0, ONESTOPBIT},
        {250000, 8, SPACEPARITY, 2.0, TWOSTOPBITS}, {300, 7, NOPARITY, 0.0, ONE5STOPBITS},
        {300, 7, NOPARITY, 2.5, ONE5STOPBITS},      {300, 7, NOPARITY, 1.0001, ONE5STOPBITS},
    };
    for (const auto& c : cases) {
        SerialSettings settings = settingsWith(Handshake::NoHandshake);
        settings.baudRate = c.baud;
        settings.dataBits = c.dataBits;
        settings.parity = c.parity;
        settings.stopBits = c.stopBits;
        const DCB dcb = buildDcb(leftOver(), settings);
        EXPECT_EQ(dcb.BaudRate, static_cast<DWORD>(c.baud)) << c.baud;
        EXPECT_EQ(dcb.ByteSize, c.dataBits) << c.baud;
        EXPECT_EQ(dcb.Parity, c.parity) << c.baud;
        EXPECT_EQ(dcb.StopBits, c.stopCode) << c.stopBits;
        EXPECT_EQ(dcb.fParity, TRUE) << c.baud;
        EXPECT_EQ(dcb.fBinary, TRUE) << c.baud;
        EXPECT_EQ(dcb.fAbortOnError, FALSE) << c.baud;
        EXPECT_EQ(dcb.DCBlength, sizeof(DCB));
    }
}

struct HandshakeCase {
    Handshake handshake;
    DWORD ctsFlow;
    DWORD rtsControl;
    DWORD softwareFlow; // fOutX and fInX
    WORD xonLim;
    WORD xoffLim;
    char xonChar;
    char xoffChar;
};

// Each mode sets only its own column; the rest stays as the port had it.
TEST(DeviceControlBlock, EachHandshakeSetsItsOwnLinesAndKeepsTheOthers) {
    const std::vector<HandshakeCase> cases = {
        {Handshake::NoHandshake, FALSE, RTS_CONTROL_DISABLE, TRUE, 11, 22, 'a', 'b'},
        {Handshake::RtsHandshake, FALSE, RTS_CONTROL_ENABLE, TRUE, 11, 22, 'a', 'b'},
        {Handshake::RtsCts, TRUE, RTS_CONTROL_HANDSHAKE, TRUE, 11, 22, 'a', 'b'},
        {Handshake::XonXoff, TRUE, RTS_CONTROL_TOGGLE, TRUE, 409, 2863, 0x11, 0x13},
    };
    for (const auto& c : cases) {
        const DCB dcb = buildDcb(leftOver(), settingsWith(c.handshake));
        const auto mode = static_cast<int>(c.handshake);
        EXPECT_EQ(dcb.fOutxCtsFlow, c.ctsFlow) << mode;
        EXPECT_EQ(dcb.fRtsControl, c.rtsControl) << mode;
        EXPECT_EQ(dcb.fOutX, c.softwareFlow) << mode;
        EXPECT_EQ(dcb.fInX, c.softwareFlow) << mode;
        EXPECT_EQ(dcb.XonLim, c.xonLim) << mode;
        EXPECT_EQ(dcb.XoffLim, c.xoffLim) << mode;
        EXPECT_EQ(dcb.XonChar, c.xonChar) << mode;
        EXPECT_EQ(dcb.XoffChar, c.xoffChar) << mode;
        EXPECT_EQ(dcb.fDtrControl, DTR_CONTROL_HANDSHAKE) << mode;
        EXPECT_EQ(dcb.fOutxDsrFlow, TRUE) << mode;
        EXPECT_EQ(dcb.fDsrSensitivity, TRUE) << mode;
        EXPECT_EQ(dcb.fTXContinueOnXoff, TRUE) << mode;
        EXPECT_EQ(dcb.fNull, TRUE) << mode;
        EXPECT_EQ(dcb.EofChar, 0x1A) << mode;
    }
}

TEST(DeviceControlBlock, NoHandshakeDoesNotSwitchSoftwareFlowOnForAPortWithoutIt) {
    DCB clean{};
    clean.DCBlength = sizeof(DCB);
    const DCB dcb = buildDcb(clean, settingsWith(Handshake::NoHandshake));
    EXPECT_EQ(dcb.fOutX, FALSE);
    EXPECT_EQ(dcb.fInX, FALSE);
}

TEST(DeviceControlBlock, FlowLimitsFollowTheInputBufferSize) {
    struct Case {
        std::int32_t inputBufferSize;
        WORD xonLim;
        WORD xoffLim;
    };
    const std::vector<Case> cases = {
        {4096, 409, 2863},
        {10, 1, 7},
        {9, 0, 0},
        {0, 0, 0},
        {-5, 0, 0},
        // Both are 16-bit: 7 x 10000 wraps as the driver's field does.
        {100000, 10000, static_cast<WORD>(70000)},
    };
    for (const auto& c : cases) {
        const DCB dcb = buildDcb(leftOver(), settingsWith(Handshake::XonXoff, c.inputBufferSize));
        EXPECT_EQ(dcb.XonLim, c.xonLim) << c.inputBufferSize;
        EXPECT_EQ(dcb.XoffLim, c.xoffLim) << c.inputBufferSize;
    }
}

// A pseudo-terminal under Wine keeps the rate and stop bits, drops 7 data
// bits and parity, and refuses a request for them that changes nothing else.
TEST(DeviceControlBlock, ARefusedBlockIsAskedAgainAfterAStepAndARealRefusalStays) {
    struct Case {
        const char* port;
        bool pseudoTerminal;
        bool taken;
        std::size_t requests;
    };
    const std::vector<Case> cases = {{"pty holding 7E2 already", true, true, 3},
                                     {"refuses every block", false, false, 3}};
    DCB wanted = leftOver();
    wanted.ByteSize = 7;
    wanted.Parity = EVENPARITY;
    wanted.StopBits = TWOSTOPBITS;
    for (const Case& c : cases) {
        std::vector<DCB> requests;
        BYTE heldStopBits = wanted.StopBits;
        const auto port = [&](DCB dcb) {
            requests.push_back(dcb);
            const bool changes = std::exchange(heldStopBits, dcb.StopBits) != dcb.StopBits;
            return c.pseudoTerminal && changes;
        };
        EXPECT_EQ(applyDcb(wanted, port), c.taken) << c.port;
        ASSERT_EQ(requests.size(), c.requests) << c.port;
        EXPECT_NE(requests[1].StopBits, wanted.StopBits) << c.port;
        EXPECT_EQ(std::memcmp(&requests.back(), &wanted, sizeof(DCB)), 0) << c.port;
    }
}

} // namespace
} // namespace drovane
