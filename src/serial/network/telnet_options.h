#pragma once

// Which Telnet options this client takes and how it answers the server's
// offers and requests: binary both ways (so CR and NUL pass untouched),
// suppress-go-ahead both ways, the COM port option on our side; everything
// else is refused. An answer only goes out when a state changes, so two
// sides that agree never loop.

#include <array>
#include <optional>
#include <string>

namespace drovane::telnet {

class TelnetOptions {
public:
    // What we offer and ask for when the connection starts.
    std::string opening();
    // The answer to one negotiation from the server, if any is due.
    std::optional<std::string> answer(unsigned char verb, unsigned char option);
    // The server has agreed to (DO) or refused (DONT) the COM port option.
    bool comPortAccepted() const { return comPortAnswer_ == Answer::Yes; }
    bool comPortRefused() const { return comPortAnswer_ == Answer::No; }

private:
    enum class Answer : unsigned char { Pending, Yes, No };

    std::array<bool, 256> ours_{};   // we WILL
    std::array<bool, 256> theirs_{}; // they WILL (we said DO)
    Answer comPortAnswer_ = Answer::Pending;
};

} // namespace drovane::telnet
