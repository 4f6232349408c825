#pragma once

// The values a serial line is opened and driven with. Codes and field order
// follow the Windows communications API the line's behaviour is modelled on.

#include <cstdint>
#include <string>

namespace drovane {

enum class Handshake : std::uint8_t {
    NoHandshake = 0,
    RtsHandshake = 1,
    RtsCts = 2,
    XonXoff = 3,
};

// Parity codes: 0 none, 1 odd, 2 even, 3 mark, 4 space.
inline constexpr std::uint8_t kHighestParityCode = 4;

struct SerialSettings {
    std::string portName;
    std::int32_t baudRate = 9600;
    std::uint8_t parity = 0;
    std::uint8_t dataBits = 8;
    double stopBits = 1.0;
    Handshake handshake = Handshake::NoHandshake;
    std::int32_t inputBufferSize = 0;
    std::int32_t outputBufferSize = 0;
};

// Milliseconds. A total timeout is multiplier x bytes + constant; both 0 means
// none. readInterval 0 means no interval timeout.
struct SerialTimeouts {
    std::uint32_t readInterval = 100;
    std::uint32_t readTotalConstant = 100;
    std::uint32_t readTotalMultiplier = 10;
    std::uint32_t writeTotalConstant = 10;
    std::uint32_t writeTotalMultiplier = 100;
};

// The Windows "MAXDWORD" that switches reads to their special modes.
inline constexpr std::uint32_t kMaxTimeout = 0xFFFFFFFFU;

enum class SerialSignal : std::uint8_t {
    Dtr,      // set
    Rts,      // set
    Break,    // set
    Cts,      // read
    Dsr,      // read
    Ring,     // read
    Rlsd,     // read (carrier detect)
    XonChar,  // set and read
    XoffChar, // set and read
};

inline constexpr unsigned char kDefaultXon = 0x11;  // DC1
inline constexpr unsigned char kDefaultXoff = 0x13; // DC3

} // namespace drovane
