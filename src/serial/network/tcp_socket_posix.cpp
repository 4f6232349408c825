#include "serial/network/tcp_socket.h"

#include "core/unique_fd.h"
#include "serial/wake_signal.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <utility>

namespace drovane {

namespace {

class SystemTcpSocket final : public TcpSocket {
public:
    struct Impl {
        UniqueFd fd;
    };

    explicit SystemTcpSocket(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

    SocketTransfer send(const char* data, std::size_t count) override;
    SocketTransfer receive(char* target, std::size_t count) override;
    SocketReadiness wait(bool wantWrite, LineClock::time_point until,
                         const WakeSignal* wake) override;
    std::optional<std::size_t> unsent() const override;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace

namespace {

using Clock = LineClock;

int millisecondsUntil(Clock::time_point until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
    return static_cast<int>(std::clamp<std::int64_t>(left, 0, 60'000));
}

struct AddressList {
    addrinfo* first = nullptr;
    AddressList() = default;
    ~AddressList() {
        if (first != nullptr) {
            ::freeaddrinfo(first);
        }
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    AddressList(AddressList&&) = delete;
    AddressList& operator=(AddressList&&) = delete;
};

OpenFailure failureFromConnectError(int error) {
    switch (error) {
    case ECONNREFUSED:
        return OpenFailure::ConnectionRefused;
    case ETIMEDOUT:
        return OpenFailure::ConnectTimedOut;
    case ENETUNREACH:
    case EHOSTUNREACH:
        return OpenFailure::HostUnreachable;
    default:
        return OpenFailure::DeviceFailed;
    }
}

void configure(int fd, int sendBuffer) {
    const int on = 1;
    // Our own layer batches; the kernel must not hold a batch back for an ACK.
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
}

// The connected descriptor, or the failure of this one address.
UniqueFd connectOne(const addrinfo& address, Clock::time_point until, int sendBuffer,
                    OpenFailure& failure) {
    UniqueFd fd(::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                         address.ai_protocol));
    if (!fd.valid()) {
        failure = OpenFailure::DeviceFailed;
        return {};
    }
    configure(fd.get(), sendBuffer);
    if (::connect(fd.get(), address.ai_addr, address.ai_addrlen) == 0) {
        return fd;
    }
    if (errno != EINPROGRESS) {
        failure = failureFromConnectError(errno);
        return {};
    }
    pollfd entry{fd.get(), POLLOUT, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, millisecondsUntil(until));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        failure = OpenFailure::ConnectTimedOut;
        return {};
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        failure = failureFromConnectError(error);
        return {};
    }
    return fd;
}

} // namespace

ConnectedSocket TcpSocket::connect(const std::string& host, std::uint16_t port,
                                   std::chrono::milliseconds timeout, int sendBuffer) {
    const auto until = Clock::now() + timeout;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    AddressList addresses;
    const std::string service = std::to_string(port);
    const int resolved = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &addresses.first);
    if (resolved != 0) {
        return {nullptr, resolved == EAI_NONAME || resolved == EAI_NODATA || resolved == EAI_FAIL ||
                                 resolved == EAI_AGAIN
                             ? OpenFailure::HostUnknown
                             : OpenFailure::DeviceFailed};
    }
    OpenFailure failure = OpenFailure::HostUnknown;
    for (const addrinfo* address = addresses.first; address != nullptr;
         address = address->ai_next) {
        if (Clock::now() >= until) {
            failure = OpenFailure::ConnectTimedOut;
            break;
        }
        UniqueFd fd = connectOne(*address, until, sendBuffer, failure);
        if (fd.valid()) {
            auto impl = std::make_unique<SystemTcpSocket::Impl>();
            impl->fd = std::move(fd);
            return {std::make_unique<SystemTcpSocket>(std::move(impl)), OpenFailure::None};
        }
    }
    return {nullptr, failure};
}

SocketTransfer SystemTcpSocket::send(const char* data, std::size_t count) {
    for (;;) {
        const ssize_t put = ::send(impl_->fd.get(), data, count, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (put >= 0) {
            return {static_cast<std::size_t>(put), false};
        }
        if (errno == EINTR) {
            continue;
        }
        return {0, errno != EAGAIN && errno != EWOULDBLOCK};
    }
}

SocketTransfer SystemTcpSocket::receive(char* target, std::size_t count) {
    for (;;) {
        const ssize_t got = ::recv(impl_->fd.get(), target, count, MSG_DONTWAIT);
        if (got > 0) {
            return {static_cast<std::size_t>(got), false};
        }
        if (got == 0) {
            return {0, true};
        }
        if (errno == EINTR) {
            continue;
        }
        return {0, errno != EAGAIN && errno != EWOULDBLOCK};
    }
}

SocketReadiness SystemTcpSocket::wait(bool wantWrite, LineClock::time_point until,
                                      const WakeSignal* wake) {
    const int wakeFd = wake != nullptr ? static_cast<int>(wake->native()) : -1;
    std::array<pollfd, 2> entries{
        {{impl_->fd.get(), static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
         {wakeFd, POLLIN, 0}}};
    if (::poll(entries.data(), entries.size(), millisecondsUntil(until)) <= 0) {
        return {};
    }
    const pollfd& entry = entries[0];
    const bool gone = (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
    return {(entry.revents & POLLIN) != 0 || gone, (entry.revents & POLLOUT) != 0};
}

std::optional<std::size_t> SystemTcpSocket::unsent() const {
    int queued = 0;
    if (::ioctl(impl_->fd.get(), SIOCOUTQ, &queued) != 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(std::max(queued, 0));
}

} // namespace drovane
