#include "serial/network/com_port_codec.h"

namespace drovane::telnet {

namespace {

// Subnegotiations we care about are a few bytes; anything longer is garbage
// and must not grow without bound.
constexpr std::size_t kLongestBody = 64;

} // namespace

void appendData(std::string& out, const unsigned char* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(static_cast<char>(data[i]));
        if (data[i] == kIac) {
            out.push_back(static_cast<char>(kIac));
        }
    }
}

std::string negotiation(unsigned char verb, unsigned char option) {
    return {static_cast<char>(kIac), static_cast<char>(verb), static_cast<char>(option)};
}

std::string comPortCommand(ComPortCommand command, const std::string& value) {
    std::string out{static_cast<char>(kIac), static_cast<char>(kSb), static_cast<char>(kComPort),
                    static_cast<char>(command)};
    appendData(out, reinterpret_cast<const unsigned char*>(value.data()), value.size());
    out.push_back(static_cast<char>(kIac));
    out.push_back(static_cast<char>(kSe));
    return out;
}

std::string setBaudRate(std::uint32_t baudRate) {
    const std::string value{static_cast<char>(baudRate >> 24), static_cast<char>(baudRate >> 16),
                            static_cast<char>(baudRate >> 8), static_cast<char>(baudRate)};
    return comPortCommand(ComPortCommand::SetBaudRate, value);
}

std::string setDataSize(std::uint8_t dataBits) {
    return comPortCommand(ComPortCommand::SetDataSize, std::string(1, static_cast<char>(dataBits)));
}

std::string setParity(std::uint8_t parity) {
    // The option counts from 1 (none) in the order of our codes.
    return comPortCommand(ComPortCommand::SetParity, std::string(1, static_cast<char>(parity + 1)));
}

std::string setStopSize(double stopBits) {
    const char code = stopBits == 1.0 ? 1 : stopBits == 2.0 ? 2 : 3;
    return comPortCommand(ComPortCommand::SetStopSize, std::string(1, code));
}

std::string setControl(Control value) {
    return comPortCommand(ComPortCommand::SetControl, std::string(1, static_cast<char>(value)));
}

std::string setMask(ComPortCommand command, unsigned char mask) {
    return comPortCommand(command, std::string(1, static_cast<char>(mask)));
}

void TelnetDecoder::feed(const unsigned char* bytes, std::size_t count, std::string& data,
                         std::vector<TelnetEvent>& events) {
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char byte = bytes[i];
        switch (state_) {
        case State::Data:
            if (byte == kIac) {
                state_ = State::Iac;
            } else {
                data.push_back(static_cast<char>(byte));
            }
            break;
        case State::Iac:
            if (byte == kIac) {
                data.push_back(static_cast<char>(kIac));
                state_ = State::Data;
            } else if (byte >= kWill) {
                verb_ = byte;
                state_ = State::Verb;
            } else if (byte == kSb) {
                state_ = State::SbOption;
            } else {
                state_ = State::Data; // NOP, GA, a stray SE and the like
            }
            break;
        case State::Verb:
            events.push_back({TelnetEvent::Kind::Negotiation, verb_, byte, 0, {}});
            state_ = State::Data;
            break;
        case State::SbOption:
            comPortBody_ = byte == kComPort;
            body_.clear();
            state_ = State::SbBody;
            break;
        case State::SbBody:
            if (byte == kIac) {
                state_ = State::SbIac;
            } else if (body_.size() < kLongestBody) {
                body_.push_back(static_cast<char>(byte));
            }
            break;
        case State::SbIac:
            if (byte == kIac) {
                if (body_.size() < kLongestBody) {
                    body_.push_back(static_cast<char>(kIac));
                }
                state_ = State::SbBody;
            } else {
                // SE, or a command that ends the subnegotiation anyway.
                endSubnegotiation(events);
                state_ = State::Data;
            }
            break;
        }
    }
}

void TelnetDecoder::endSubnegotiation(std::vector<TelnetEvent>& events) {
    if (comPortBody_ && !body_.empty()) {
        events.push_back({TelnetEvent::Kind::ComPort, 0, kComPort,
                          static_cast<unsigned char>(body_.front()), body_.substr(1)});
    }
    body_.clear();
}

namespace {

Control flowControl(Handshake handshake) {
    switch (handshake) {
    case Handshake::XonXoff:
        return Control::XonXoffFlowControl;
    case Handshake::RtsCts:
        return Control::HardwareFlowControl;
    case Handshake::NoHandshake:
    case Handshake::RtsHandshake:
        break;
    }
    return Control::NoFlowControl;
}

} // namespace

std::string setPort(const SerialSettings& settings) {
    std::string commands = setBaudRate(static_cast<std::uint32_t>(settings.baudRate));
    commands += setDataSize(settings.dataBits);
    commands += setParity(settings.parity);
    commands += setStopSize(settings.stopBits);
    commands += setControl(flowControl(settings.handshake));
    commands += setMask(ComPortCommand::SetLineStateMask,
                        kLineOverrun | kLineParity | kLineFraming | kLineBreak);
    commands += setMask(ComPortCommand::SetModemStateMask, 0xFF);
    return commands;
}

std::optional<Control> controlFor(SerialSignal signal, int value) {
    const bool on = value != 0;
    switch (signal) {
    case SerialSignal::Dtr:
        return on ? Control::DtrOn : Control::DtrOff;
    case SerialSignal::Rts:
        return on ? Control::RtsOn : Control::RtsOff;
    case SerialSignal::Break:
        return on ? Control::BreakOn : Control::BreakOff;
    case SerialSignal::XonChar:
    case SerialSignal::XoffChar:
    case SerialSignal::Cts:
    case SerialSignal::Dsr:
    case SerialSignal::Ring:
    case SerialSignal::Rlsd:
        break;
    }
    return std::nullopt;
}

std::string purgeServerTransmit() {
    return comPortCommand(ComPortCommand::PurgeData,
                          std::string(1, static_cast<char>(kPurgeServerTransmit)));
}

} // namespace drovane::telnet
