#include "loopback_listener.h"

#include "core/unique_fd.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace drovane {

struct LoopbackListener::Sockets {
    UniqueFd listening;
    UniqueFd accepted;
    std::uint16_t port = 0;
};

LoopbackListener::LoopbackListener() : sockets_(std::make_unique<Sockets>()) {
    sockets_->listening.reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const int fd = sockets_->listening.get();
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(fd, 1) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        sockets_->port = ntohs(address.sin_port);
    }
}

LoopbackListener::~LoopbackListener() = default;

std::uint16_t LoopbackListener::port() const {
    return sockets_->port;
}

bool LoopbackListener::accept() {
    sockets_->accepted.reset(::accept(sockets_->listening.get(), nullptr, nullptr));
    return sockets_->accepted.valid();
}

void LoopbackListener::send(std::string_view bytes) const {
    ::send(sockets_->accepted.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

void LoopbackListener::hangUp() {
    sockets_->accepted.reset();
}

} // namespace drovane
