#include "serial/termios/termios_config.h"

#include <array>
#include <sys/ioctl.h>
#include <utility>

namespace drovane {

namespace {

constexpr std::array<std::pair<std::int32_t, tcflag_t>, 30> kStandardRates{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

tcflag_t rateBits(std::int32_t baudRate) {
    for (const auto& [rate, bits] : kStandardRates) {
        if (rate == baudRate) {
            return bits;
        }
    }
    return BOTHER;
}

tcflag_t sizeBits(std::uint8_t dataBits) {
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

tcflag_t parityBits(std::uint8_t parity) {
    switch (parity) {
    case 1:
        return PARENB | PARODD;
    case 2:
        return PARENB;
    case 3:
        return PARENB | CMSPAR | PARODD;
    case 4:
        return PARENB | CMSPAR;
    default:
        return 0;
    }
}

} // namespace

std::optional<termios2> buildTermios(const SerialSettings& settings) {
    if (settings.baudRate <= 0 || settings.dataBits < 5 || settings.dataBits > 8 ||
        settings.parity > kHighestParityCode) {
        return std::nullopt;
    }
    termios2 values{};
    // Break and parity errors reach the reader as the bytes that came (no
    // INPCK, no PARMRK); the error counters report them.
    values.c_iflag = 0;
    // The kernel (or an adapter that can) stops the far end when its buffer
    // fills, which it does while this program is not scheduled. Output holds
    // stay ours: with IXON the kernel would swallow the XOFF that tells a
    // held write from a failed one.
    if (settings.handshake == Handshake::XonXoff) {
        values.c_iflag |= IXOFF;
    }
    values.c_oflag = 0;
    values.c_lflag = 0;
    values.c_cflag = CREAD | CLOCAL | HUPCL | sizeBits(settings.dataBits) |
                     parityBits(settings.parity) | rateBits(settings.baudRate);
    if (twoStopBits(settings.stopBits)) {
        values.c_cflag |= CSTOPB;
    }
    if (settings.handshake == Handshake::RtsCts) {
        values.c_cflag |= CRTSCTS;
    }
    values.c_cc[VMIN] = 1;
    values.c_cc[VTIME] = 0;
    values.c_cc[VSTART] = kDefaultXon;
    values.c_cc[VSTOP] = kDefaultXoff;
    values.c_ispeed = static_cast<speed_t>(settings.baudRate);
    values.c_ospeed = static_cast<speed_t>(settings.baudRate);
    return values;
}

bool twoStopBits(double stopBits) {
    return stopBits != 1.0;
}

std::int64_t characterNanoseconds(std::int32_t baudRate) {
    constexpr std::int64_t kBitsNs = 10LL * 1000 * 1000 * 1000;
    return baudRate > 0 ? kBitsNs / baudRate : kBitsNs;
}

void setKernelFlowCharacters(int fd, unsigned char xon, unsigned char xoff) {
    termios2 values{};
    if (::ioctl(fd, TCGETS2, &values) == 0) {
        values.c_cc[VSTART] = xon;
        values.c_cc[VSTOP] = xoff;
        ::ioctl(fd, TCSETS2, &values);
    }
}

} // namespace drovane
