#pragma once

// One serial port on a device server, driven like a Windows COM port: the
// same timeouts, holds and error flags as a local port. rfc2217:// sets the
// server's port from the profile and reads its modem lines; socket:// takes
// the server's settings, reads the modem lines as on, and does XON/XOFF in
// this layer as the termios back end does.

#include "serial/line_deadlines.h"
#include "serial/network/com_port_session.h"
#include "serial/network/network_port_name.h"
#include "serial/network/outbox.h"
#include "serial/network/server_hold.h"
#include "serial/network/wire_pace.h"
#include "serial/open_failure.h"
#include "serial/receive_queue.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"
#include "serial/watched_abort.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

class AbortRequest;
class NetworkPort;
class TcpSocket;
class WakeSignal;

struct OpenedNetworkPort {
    std::unique_ptr<NetworkPort> port;
    OpenFailure failure = OpenFailure::None;
};

class NetworkPort {
    struct Key {};

public:
    static OpenedNetworkPort open(const SerialSettings& settings);
    // The port over a connection already made; rfc2217 negotiates first.
    static OpenedNetworkPort over(std::unique_ptr<TcpSocket> socket, const SerialSettings& settings,
                                  NetworkProtocol protocol);
    NetworkPort(Key key, std::unique_ptr<TcpSocket> socket, const SerialSettings& settings,
                NetworkProtocol protocol);
    ~NetworkPort();
    NetworkPort(const NetworkPort&) = delete;
    NetworkPort& operator=(const NetworkPort&) = delete;
    NetworkPort(NetworkPort&&) = delete;
    NetworkPort& operator=(NetworkPort&&) = delete;

    bool setTimeouts(const SerialTimeouts& timeouts) {
        timeouts_ = timeouts;
        return true;
    }
    void watchAbort(const AbortRequest* abort) { abort_.watch(abort); }
    void watchNotices(const LogSink* notices) { notices_ = notices; }
    bool setSignal(SerialSignal signal, int value);
    int getSignal(SerialSignal signal);
    // Woken by the server's modem-state notification (network_signal_wait.cpp).
    bool awaitSignal(SerialSignal signal, bool on, const AbortRequest& abort);
    std::size_t inputWaiting();
    bool awaitInput(LineClock::duration limit);
    std::size_t read(unsigned char* target, std::size_t count);
    std::size_t write(const unsigned char* data, std::size_t count);
    SerialError takeErrors();
    std::size_t drain();

    // TCP segments handed to the system so far (each send call is at most one
    // batch), for the figures.
    std::uint64_t sendCalls() const { return outbox_.sendCalls(); }

private:
    enum class Hold : std::uint8_t { None, Xoff, Suspended, Pace, Network };
    struct InputSide;
    struct OutputSide;
    struct DrainSide;

    bool negotiate();
    // Pumps until `done`, `until` or a broken connection.
    void pumpUntil(const std::function<bool()>& done, LineClock::time_point until);
    void pump();
    void pullInput();
    void queueCommand(const std::string& bytes);
    void flush();
    void noticeUnansweredControls();
    void tell(std::string_view notice) const;
    void noteBroken();
    std::size_t putRun(const unsigned char* data, std::size_t count);
    Hold currentHold(LineClock::time_point now);
    static ServerHold::By heldBy(Hold hold);
    void waitOut(Hold hold, std::optional<LineClock::time_point> deadline);
    void waitForInput(std::optional<LineClock::time_point> until, const WakeSignal* wake);
    bool rfc2217() const { return protocol_ == NetworkProtocol::Rfc2217; }

    std::unique_ptr<TcpSocket> socket_;
    SerialSettings settings_;
    NetworkProtocol protocol_;
    SerialTimeouts timeouts_;
    WatchedAbort abort_;
    const LogSink* notices_ = nullptr;
    ComPortSession session_;
    ReceiveQueue queue_;
    WirePace pace_;
    Outbox outbox_;
    bool broken_ = false;
    ServerHold serverHold_;
    SerialError pending_ = SerialError::None;
};

} // namespace drovane
