#pragma once

// One non-blocking TCP connection, with the system's socket calls behind
// it (tcp_socket_posix.cpp, tcp_socket_win32.cpp). Closing never waits.

#include "serial/line_deadlines.h"
#include "serial/open_failure.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace drovane {

class AbortRequest;
class WakeSignal;
class TcpSocket;

struct ConnectedSocket {
    // Null when no connection came about; then `failure` says why.
    std::unique_ptr<TcpSocket> socket;
    OpenFailure failure = OpenFailure::None;
};

struct SocketTransfer {
    std::size_t count = 0;
    // The connection is gone (reset, closed by the server, or failed).
    bool broken = false;
};

struct SocketReadiness {
    bool readable = false;
    bool writable = false;
};

inline constexpr std::chrono::seconds kConnectTimeout{5};

// Behind an interface, so that the network port can be tried against a
// scripted server in process.
class TcpSocket {
public:
    // Resolves `host` (a name or a literal address) and connects to the
    // first address that answers within `timeout` altogether. The send
    // buffer is kept at `sendBuffer` bytes, so that what waits in it is
    // little when a write is held or aborted.
    static ConnectedSocket connect(const std::string& host, std::uint16_t port,
                                   std::chrono::milliseconds timeout, int sendBuffer);

    TcpSocket() = default;
    virtual ~TcpSocket() = default;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;
    TcpSocket(TcpSocket&&) = delete;
    TcpSocket& operator=(TcpSocket&&) = delete;

    // As much of `data` as the send buffer takes now.
    virtual SocketTransfer send(const char* data, std::size_t count) = 0;
    // What has arrived, up to `count`; 0 without `broken` when nothing has.
    virtual SocketTransfer receive(char* target, std::size_t count) = 0;
    // Waits until the socket is readable (or broken, which reads), or, with
    // `wantWrite`, writable, or `until` passes, or `wake` (if any) is set.
    virtual SocketReadiness wait(bool wantWrite, LineClock::time_point until,
                                 const WakeSignal* wake) = 0;
    // Bytes the system still holds for sending; none where it cannot tell.
    virtual std::optional<std::size_t> unsent() const = 0;
};

} // namespace drovane
