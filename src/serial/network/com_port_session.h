#pragma once

// The Telnet conversation with a device server: what comes from it split
// into data and com-port commands, its option negotiation answered, and
// what its commands say kept. A raw socket carries data alone.

#include "serial/network/com_port_codec.h"
#include "serial/network/com_port_state.h"
#include "serial/network/telnet_options.h"

#include <cstddef>
#include <string>
#include <vector>

namespace drovane {

class ComPortSession {
public:
    explicit ComPortSession(bool telnet) : telnet_(telnet) {}

    // The data among `count` bytes from the server is appended to `data`,
    // the answers due to the server to `replies`.
    void receive(const char* bytes, std::size_t count, std::string& data, std::string& replies);

    // What asks the server for the COM port option.
    std::string opening() { return options_.opening(); }
    bool accepted() const { return options_.comPortAccepted(); }
    bool refused() const { return options_.comPortRefused(); }

    ComPortState& state() { return state_; }
    const ComPortState& state() const { return state_; }

private:
    bool telnet_;
    telnet::TelnetDecoder decoder_;
    telnet::TelnetOptions options_;
    ComPortState state_;
    std::vector<telnet::TelnetEvent> events_;
};

} // namespace drovane
