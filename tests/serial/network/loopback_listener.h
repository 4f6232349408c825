#pragma once

// A TCP listener on the loopback address that takes one connection, so
// that the system's own socket is tried in process.

#include <cstdint>
#include <memory>
#include <string_view>

namespace drovane {

class LoopbackListener {
public:
    // Listens on 127.0.0.1 and a port the system picks.
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;
    LoopbackListener(LoopbackListener&&) = delete;
    LoopbackListener& operator=(LoopbackListener&&) = delete;

    std::uint16_t port() const;
    // Blocks until a client has connected; false when none could.
    bool accept();
    void send(std::string_view bytes) const;
    // Closes the connection it accepted.
    void hangUp();

private:
    struct Sockets;
    std::unique_ptr<Sockets> sockets_;
};

} // namespace drovane
