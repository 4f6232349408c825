#pragma once

// A device server in process, behind the socket interface: it answers the
// COM port option and every setting as a willing server does, hands its
// bytes over in reads of `readSize`, and can stop reading or reset.

#include "serial/network/com_port_codec.h"
#include "serial/network/tcp_socket.h"

#include <memory>
#include <string>
#include <vector>

namespace drovane {

struct ServerScript {
    bool takesComPort = true;
    bool reading = true;
    bool reset = false;
    std::size_t readSize = 1024;
    // What the server has sent and the port has not yet read.
    std::string toPort;
    // Data bytes and commands the port sent, decoded.
    std::string data;
    std::vector<telnet::TelnetEvent> commands;
    telnet::TelnetDecoder decoder;
};

class ScriptedSocket final : public TcpSocket {
public:
    explicit ScriptedSocket(std::shared_ptr<ServerScript> script) : script_(std::move(script)) {}

    SocketTransfer send(const char* data, std::size_t count) override;
    SocketTransfer receive(char* target, std::size_t count) override;
    SocketReadiness wait(bool wantWrite, LineClock::time_point until,
                         const WakeSignal* wake) override;
    std::optional<std::size_t> unsent() const override { return 0; }

private:
    void answer(const telnet::TelnetEvent& event);

    std::shared_ptr<ServerScript> script_;
};

// A COM port command as the server sends it: its code is the client's + 100.
std::string serverCommand(telnet::ComPortCommand command, const std::string& value);

} // namespace drovane
