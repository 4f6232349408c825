#include "loopback_listener.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <utility>

namespace drovane {

namespace {

class OwnedSocket {
public:
    OwnedSocket() = default;
    explicit OwnedSocket(SOCKET socket) : socket_(socket) {}
    ~OwnedSocket() { reset(); }
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;
    OwnedSocket(OwnedSocket&&) = delete;
    OwnedSocket& operator=(OwnedSocket&&) = delete;

    SOCKET get() const { return socket_; }
    void reset(SOCKET socket = INVALID_SOCKET) {
        if (socket_ != INVALID_SOCKET) {
            ::closesocket(socket_);
        }
        socket_ = socket;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

} // namespace

struct LoopbackListener::Sockets {
    struct Session {
        Session() {
            WSADATA data{};
            ::WSAStartup(MAKEWORD(2, 2), &data);
        }
        ~Session() { ::WSACleanup(); }
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;
        Session(Session&&) = delete;
        Session& operator=(Session&&) = delete;
    } session;
    OwnedSocket listening;
    OwnedSocket accepted;
    std::uint16_t port = 0;
};

LoopbackListener::LoopbackListener() : sockets_(std::make_unique<Sockets>()) {
    sockets_->listening.reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    const SOCKET socket = sockets_->listening.get();
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(socket, 1) == 0 &&
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        sockets_->port = ntohs(address.sin_port);
    }
}

LoopbackListener::~LoopbackListener() = default;

std::uint16_t LoopbackListener::port() const {
    return sockets_->port;
}

bool LoopbackListener::accept() {
    sockets_->accepted.reset(::accept(sockets_->listening.get(), nullptr, nullptr));
    return sockets_->accepted.get() != INVALID_SOCKET;
}

void LoopbackListener::send(std::string_view bytes) const {
    ::send(sockets_->accepted.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
}

void LoopbackListener::hangUp() {
    sockets_->accepted.reset();
}

} // namespace drovane
