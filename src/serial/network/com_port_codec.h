#pragma once

// The bytes of the Telnet COM port control option (RFC 2217) both ways, as
// pure code: data with 0xFF doubled, option negotiation, and the com-port
// subnegotiations. The decoder keeps its state between reads, so a command
// split across two reads is still one command.

#include "serial/serial_types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace drovane::telnet {

inline constexpr unsigned char kIac = 255;
inline constexpr unsigned char kDont = 254;
inline constexpr unsigned char kDo = 253;
inline constexpr unsigned char kWont = 252;
inline constexpr unsigned char kWill = 251;
inline constexpr unsigned char kSb = 250;
inline constexpr unsigned char kSe = 240;

inline constexpr unsigned char kBinary = 0;
inline constexpr unsigned char kEcho = 1;
inline constexpr unsigned char kSuppressGoAhead = 3;
inline constexpr unsigned char kComPort = 44;

// Client-to-server codes; the server answers with the code plus 100.
enum class ComPortCommand : std::uint8_t {
    SetBaudRate = 1,
    SetDataSize = 2,
    SetParity = 3,
    SetStopSize = 4,
    SetControl = 5,
    NotifyLineState = 6,
    NotifyModemState = 7,
    FlowControlSuspend = 8,
    FlowControlResume = 9,
    SetLineStateMask = 10,
    SetModemStateMask = 11,
    PurgeData = 12,
};
inline constexpr unsigned char kServerOffset = 100;

// SET-CONTROL values.
enum class Control : std::uint8_t {
    NoFlowControl = 1,
    XonXoffFlowControl = 2,
    HardwareFlowControl = 3,
    BreakOn = 5,
    BreakOff = 6,
    DtrOn = 8,
    DtrOff = 9,
    RtsOn = 11,
    RtsOff = 12,
};

// NOTIFY-MODEMSTATE bits.
inline constexpr unsigned char kModemCts = 0x10;
inline constexpr unsigned char kModemDsr = 0x20;
inline constexpr unsigned char kModemRing = 0x40;
inline constexpr unsigned char kModemRlsd = 0x80;

// NOTIFY-LINESTATE bits that are errors.
inline constexpr unsigned char kLineOverrun = 0x02;
inline constexpr unsigned char kLineParity = 0x04;
inline constexpr unsigned char kLineFraming = 0x08;
inline constexpr unsigned char kLineBreak = 0x10;

// PURGE-DATA: throw away what the server still holds for the serial side.
inline constexpr unsigned char kPurgeServerTransmit = 2;

// Appends `count` data bytes with every 0xFF doubled.
void appendData(std::string& out, const unsigned char* data, std::size_t count);

std::string negotiation(unsigned char verb, unsigned char option);

// IAC SB COM-PORT-OPTION command value IAC SE, the value escaped.
std::string comPortCommand(ComPortCommand command, const std::string& value);

std::string setBaudRate(std::uint32_t baudRate);
std::string setDataSize(std::uint8_t dataBits);
// Our parity codes 0-4 (none, odd, even, mark, space).
std::string setParity(std::uint8_t parity);
// Exactly 1 or 2 as they are, anything else one and a half.
std::string setStopSize(double stopBits);
std::string setControl(Control value);
std::string setMask(ComPortCommand command, unsigned char mask);
// The server's port set to `settings`: rate, frame, the flow control of the
// handshake, and every line error and modem line reported.
std::string setPort(const SerialSettings& settings);
// The SET-CONTROL value that sets DTR, RTS or Break (on for nonzero); none
// for another signal.
std::optional<Control> controlFor(SerialSignal signal, int value);
// PURGE-DATA for what the server still holds for the serial side.
std::string purgeServerTransmit();

struct TelnetEvent {
    enum class Kind : std::uint8_t { Negotiation, ComPort };
    Kind kind = Kind::Negotiation;
    // Negotiation: the verb and the option.
    unsigned char verb = 0;
    unsigned char option = 0;
    // ComPort: the server's code (the client code plus 100) and its value.
    unsigned char command = 0;
    std::string value;

    bool operator==(const TelnetEvent&) const = default;
};

class TelnetDecoder {
public:
    // Data bytes are appended to `data`, commands to `events`; other Telnet
    // commands and other options' subnegotiations are dropped.
    void feed(const unsigned char* bytes, std::size_t count, std::string& data,
              std::vector<TelnetEvent>& events);

private:
    enum class State : std::uint8_t { Data, Iac, Verb, SbOption, SbBody, SbIac };

    void endSubnegotiation(std::vector<TelnetEvent>& events);

    State state_ = State::Data;
    unsigned char verb_ = 0;
    bool comPortBody_ = false;
    std::string body_;
};

} // namespace drovane::telnet
