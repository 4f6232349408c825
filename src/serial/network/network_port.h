#pragma once

// One serial port on a device server, driven like a Windows COM port: the
// same timeouts, holds and error flags as a local port. rfc2217:// sets the
// server's port from the profile and reads its modem lines; socket:// takes
// the server's settings, reads the modem lines as on, and does XON/XOFF in
// this layer as the termios back end does.

#include "serial/line_deadlines.h"
#include "serial/network/com_port_codec.h"
#include "serial/network/com_port_state.h"
#include "serial/network/network_port_name.h"
#include "serial/network/telnet_options.h"
#include "serial/open_failure.h"
#include "serial/receive_queue.h"
#include "serial/serial_error.h"
#include "serial/serial_types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

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
    void watchAbort(const AbortRequest* abort) { abort_ = abort; }
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
    std::uint64_t sendCalls() const { return sendCalls_; }

private:
    enum class Hold : std::uint8_t { None, Xoff, Suspended, Pace, Network };
    struct InputSide;
    struct OutputSide;

    bool negotiate();
    void sendSettings();
    void pump();
    void pullInput();
    void handle(const telnet::TelnetEvent& event);
    void queueCommand(const std::string& bytes);
    void flush();
    bool flushDue(LineClock::time_point now) const;
    void noticeUnansweredControls();
    void noteBroken();
    std::size_t putRun(const unsigned char* data, std::size_t count);
    Hold currentHold(LineClock::time_point now);
    void noteHeldWrite(Hold hold);
    void waitOut(Hold hold, std::optional<LineClock::time_point> deadline);
    void waitForInput(std::optional<LineClock::time_point> until, const WakeSignal* wake);
    bool abortRaised() const;
    const WakeSignal* abortWake() const;
    std::size_t stillQueued();
    bool rfc2217() const { return protocol_ == NetworkProtocol::Rfc2217; }

    std::unique_ptr<TcpSocket> socket_;
    SerialSettings settings_;
    NetworkProtocol protocol_;
    SerialTimeouts timeouts_;
    const AbortRequest* abort_ = nullptr;
    const LogSink* notices_ = nullptr;
    telnet::TelnetDecoder decoder_;
    telnet::TelnetOptions options_;
    ComPortState state_;
    ReceiveQueue queue_;
    // Encoded bytes not yet handed to the socket, and since when.
    std::string outbox_;
    LineClock::time_point outboxSince_;
    // When the serial side would have sent everything handed over so far,
    // at the profile's rate: keeps us at most a short lead ahead of the wire.
    LineClock::time_point wireFreeAt_;
    LineClock::duration characterTime_;
    LineClock::duration lead_;
    std::size_t batch_;
    bool broken_ = false;
    bool heldByNetwork_ = false;
    bool heldByServerSaid_ = false;
    bool txFull_ = false;
    SerialError pending_ = SerialError::None;
    std::uint64_t sendCalls_ = 0;
};

} // namespace drovane
