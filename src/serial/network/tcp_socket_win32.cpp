#include "serial/network/tcp_socket.h"

#include "core/text.h"
#include "serial/wake_signal.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <utility>

namespace drovane {

namespace {

using Clock = LineClock;
// Winsock records FD_WRITE only after a send that would have blocked, not
// after one that took part of its bytes: a wait for room looks again this
// often.
constexpr std::chrono::milliseconds kRoomLook{10};

// Winsock is usable while one of these lives.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) {
            ::WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    WinsockSession(WinsockSession&&) = delete;
    WinsockSession& operator=(WinsockSession&&) = delete;

    bool started() const { return started_; }

private:
    bool started_ = false;
};

class UniqueSocket {
public:
    UniqueSocket() = default;
    explicit UniqueSocket(SOCKET socket) : socket_(socket) {}
    ~UniqueSocket() { reset(); }
    UniqueSocket(const UniqueSocket&) = delete;
    UniqueSocket& operator=(const UniqueSocket&) = delete;
    UniqueSocket(UniqueSocket&& other) noexcept
        : socket_(std::exchange(other.socket_, INVALID_SOCKET)) {}
    UniqueSocket& operator=(UniqueSocket&& other) noexcept {
        if (this != &other) {
            reset();
            socket_ = std::exchange(other.socket_, INVALID_SOCKET);
        }
        return *this;
    }

    SOCKET get() const { return socket_; }
    bool valid() const { return socket_ != INVALID_SOCKET; }
    void reset() {
        if (socket_ != INVALID_SOCKET) {
            ::closesocket(socket_);
            socket_ = INVALID_SOCKET;
        }
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// A WSA event the socket's network events set.
class UniqueEvent {
public:
    UniqueEvent() : event_(::WSACreateEvent()) {}
    ~UniqueEvent() {
        if (event_ != WSA_INVALID_EVENT) {
            ::WSACloseEvent(event_);
        }
    }
    UniqueEvent(const UniqueEvent&) = delete;
    UniqueEvent& operator=(const UniqueEvent&) = delete;
    UniqueEvent(UniqueEvent&&) = delete;
    UniqueEvent& operator=(UniqueEvent&&) = delete;

    WSAEVENT get() const { return event_; }

private:
    WSAEVENT event_;
};

struct AddressList {
    ADDRINFOW* first = nullptr;
    AddressList() = default;
    ~AddressList() {
        if (first != nullptr) {
            ::FreeAddrInfoW(first);
        }
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    AddressList(AddressList&&) = delete;
    AddressList& operator=(AddressList&&) = delete;
};

timeval timeLeft(Clock::time_point until) {
    const auto left = std::max(std::chrono::microseconds(0),
                               std::chrono::ceil<std::chrono::microseconds>(until - Clock::now()));
    const auto us = std::min<std::int64_t>(left.count(), 60'000'000);
    return {static_cast<long>(us / 1'000'000), static_cast<long>(us % 1'000'000)};
}

OpenFailure failureFromConnectError(int error) {
    switch (error) {
    case WSAECONNREFUSED:
        return OpenFailure::ConnectionRefused;
    case WSAETIMEDOUT:
        return OpenFailure::ConnectTimedOut;
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
        return OpenFailure::HostUnreachable;
    default:
        return OpenFailure::DeviceFailed;
    }
}

void configure(SOCKET socket, int sendBuffer) {
    u_long nonBlocking = 1;
    ::ioctlsocket(socket, FIONBIO, &nonBlocking);
    const BOOL on = TRUE;
    // Our own layer batches; the system must not hold a batch back for an ACK.
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer),
                 sizeof sendBuffer);
    ::setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
}

UniqueSocket connectOne(const ADDRINFOW& address, Clock::time_point until, int sendBuffer,
                        OpenFailure& failure) {
    UniqueSocket socket(::socket(address.ai_family, address.ai_socktype, address.ai_protocol));
    if (!socket.valid()) {
        failure = OpenFailure::DeviceFailed;
        return {};
    }
    configure(socket.get(), sendBuffer);
    if (::connect(socket.get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
        return socket;
    }
    if (::WSAGetLastError() != WSAEWOULDBLOCK) {
        failure = failureFromConnectError(::WSAGetLastError());
        return {};
    }
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket.get(), &writable);
    FD_SET(socket.get(), &failed);
    timeval limit = timeLeft(until);
    if (::select(0, nullptr, &writable, &failed, &limit) <= 0) {
        failure = OpenFailure::ConnectTimedOut;
        return {};
    }
    if (FD_ISSET(socket.get(), &failed)) {
        int error = 0;
        int length = sizeof error;
        ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        failure = failureFromConnectError(error);
        return {};
    }
    return socket;
}

} // namespace

namespace {

class SystemTcpSocket final : public TcpSocket {
public:
    struct Impl {
        // Declared first: the socket closes before its event and Winsock
        // are released.
        WinsockSession session;
        UniqueEvent event;
        UniqueSocket socket;
    };

    explicit SystemTcpSocket(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

    SocketTransfer send(const char* data, std::size_t count) override;
    SocketTransfer receive(char* target, std::size_t count) override;
    SocketReadiness wait(bool wantWrite, LineClock::time_point until,
                         const WakeSignal* wake) override;
    std::optional<std::size_t> unsent() const override;

private:
    // What the socket is ready for now, without waiting.
    SocketReadiness readiness(bool wantWrite) const;

    std::unique_ptr<Impl> impl_;
};

} // namespace

ConnectedSocket TcpSocket::connect(const std::string& host, std::uint16_t port,
                                   std::chrono::milliseconds timeout, int sendBuffer) {
    const auto until = Clock::now() + timeout;
    auto impl = std::make_unique<SystemTcpSocket::Impl>();
    if (!impl->session.started()) {
        return {nullptr, OpenFailure::DeviceFailed};
    }
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_NUMERICSERV;
    AddressList addresses;
    const std::wstring wideHost = wideFromWindows1252(host);
    const std::wstring service = std::to_wstring(port);
    if (::GetAddrInfoW(wideHost.c_str(), service.c_str(), &hints, &addresses.first) != 0) {
        const int error = ::WSAGetLastError();
        return {nullptr, error == WSAHOST_NOT_FOUND || error == WSANO_DATA ||
                                 error == WSATRY_AGAIN || error == WSANO_RECOVERY
                             ? OpenFailure::HostUnknown
                             : OpenFailure::DeviceFailed};
    }
    OpenFailure failure = OpenFailure::HostUnknown;
    for (const ADDRINFOW* address = addresses.first; address != nullptr;
         address = address->ai_next) {
        if (Clock::now() >= until) {
            failure = OpenFailure::ConnectTimedOut;
            break;
        }
        UniqueSocket socket = connectOne(*address, until, sendBuffer, failure);
        if (socket.valid() && impl->event.get() != WSA_INVALID_EVENT &&
            ::WSAEventSelect(socket.get(), impl->event.get(), FD_READ | FD_WRITE | FD_CLOSE) == 0) {
            impl->socket = std::move(socket);
            return {std::make_unique<SystemTcpSocket>(std::move(impl)), OpenFailure::None};
        }
    }
    return {nullptr, failure};
}

SocketTransfer SystemTcpSocket::send(const char* data, std::size_t count) {
    const int length = static_cast<int>(std::min<std::size_t>(count, 1 << 30));
    const int put = ::send(impl_->socket.get(), data, length, 0);
    if (put != SOCKET_ERROR) {
        return {static_cast<std::size_t>(put), false};
    }
    return {0, ::WSAGetLastError() != WSAEWOULDBLOCK};
}

SocketTransfer SystemTcpSocket::receive(char* target, std::size_t count) {
    const int length = static_cast<int>(std::min<std::size_t>(count, 1 << 30));
    const int got = ::recv(impl_->socket.get(), target, length, 0);
    if (got > 0) {
        return {static_cast<std::size_t>(got), false};
    }
    if (got == 0) {
        return {0, true};
    }
    return {0, ::WSAGetLastError() != WSAEWOULDBLOCK};
}

SocketReadiness SystemTcpSocket::readiness(bool wantWrite) const {
    fd_set readable;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(impl_->socket.get(), &readable);
    FD_SET(impl_->socket.get(), &failed);
    if (wantWrite) {
        FD_SET(impl_->socket.get(), &writable);
    }
    timeval now{0, 0};
    if (::select(0, &readable, wantWrite ? &writable : nullptr, &failed, &now) <= 0) {
        return {};
    }
    return {FD_ISSET(impl_->socket.get(), &readable) != 0 ||
                FD_ISSET(impl_->socket.get(), &failed) != 0,
            wantWrite && FD_ISSET(impl_->socket.get(), &writable) != 0};
}

// The socket's event beside the wake signal: the event is reset first (by
// WSAEnumNetworkEvents), then what is there already is looked at, so that
// nothing arriving in between is missed.
SocketReadiness SystemTcpSocket::wait(bool wantWrite, LineClock::time_point until,
                                      const WakeSignal* wake) {
    if (wantWrite) {
        until = std::min(until, Clock::now() + kRoomLook);
    }
    const std::array<HANDLE, 2> handles{
        impl_->event.get(), wake != nullptr ? reinterpret_cast<HANDLE>(wake->native()) : nullptr};
    const DWORD count = wake != nullptr ? 2 : 1;
    for (;;) {
        WSANETWORKEVENTS seen{};
        ::WSAEnumNetworkEvents(impl_->socket.get(), impl_->event.get(), &seen);
        const SocketReadiness ready = readiness(wantWrite);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        if (ready.readable || ready.writable || left.count() <= 0) {
            return ready;
        }
        const auto ms = static_cast<DWORD>(std::min<std::int64_t>(left.count(), 60'000));
        if (::WaitForMultipleObjects(count, handles.data(), FALSE, ms) != WAIT_OBJECT_0) {
            return {}; // the wake signal, the time, or a failure
        }
    }
}

std::optional<std::size_t> SystemTcpSocket::unsent() const {
    return std::nullopt; // Winsock does not tell
}

} // namespace drovane
