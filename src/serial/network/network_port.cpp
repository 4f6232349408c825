// How bytes go out. write() queues each byte (0xFF doubled under rfc2217)
// in the outbox (outbox.h), which goes to the socket as one segment once it
// holds a batch (the bytes the line carries in 20 ms) or its oldest byte has
// waited that long; a held write hands over what it has before it waits.
// The pace (wire_pace.h) models the serial side at the profile's rate, so we
// run at most 50 ms of line time ahead of it: an abort or a hold then leaves
// little in flight, and drain() waits about as long as a local port would.
// The socket's own buffer is kept small for the same reason.
//
// A write is held by an XOFF from the machine (socket://, XON/XOFF done
// here), by the server's FLOWCONTROL-SUSPEND (rfc2217://), by the pace, or by
// a socket that takes nothing (the server's port is held, or slow). Held
// waits end at once on an abort (the socket is waited on beside the abort
// request's wake signal; with a full receive queue, the request alone). A
// write that times out held by the network reports CTS under RTS/CTS, else
// a full queue (no XOFF came, so none is reported), and says once per hold
// that the server holds it.
//
// Input is read from the socket only as far as the receive queue has room,
// so a full queue stops the server and, through its flow control, the
// machine. A connection that ends or fails is an I/O error, once.

#include "serial/network/network_port.h"

#include "serial/character_frame.h"
#include "serial/flow_characters.h"
#include "serial/flow_control.h"
#include "serial/line_engine.h"
#include "serial/network/server_input.h"
#include "serial/network/tcp_socket.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace drovane {

namespace {

using Clock = LineClock;
using std::chrono::milliseconds;

// What the socket itself may hold: small, so that little is in flight.
constexpr int kSendBuffer = 4096;
// The wait for the server to take the COM port option, and for its answers
// to our settings and SET-CONTROL requests.
constexpr milliseconds kOptionWait{2000};
constexpr milliseconds kAnswerWait{1000};
constexpr milliseconds kNetworkLook{10};

constexpr std::string_view kHeldByServer =
    "Hinweis: der Server nimmt zur Zeit keine Daten an, die Übertragung wartet.";
constexpr std::string_view kControlUnanswered =
    "Hinweis: der Server bestätigt DTR/RTS nicht (nicht unterstützt), die Übertragung läuft "
    "weiter.";

} // namespace

OpenedNetworkPort NetworkPort::open(const SerialSettings& settings) {
    const NetworkPortName name = parseNetworkPortName(settings.portName);
    if (!name.address) {
        return {nullptr, OpenFailure::BadNetworkName};
    }
    if (!settingsSupported(settings)) {
        return {nullptr, OpenFailure::SettingsRefused};
    }
    ConnectedSocket connected =
        TcpSocket::connect(name.address->host, name.address->port, kConnectTimeout, kSendBuffer);
    if (!connected.socket) {
        return {nullptr, connected.failure};
    }
    return over(std::move(connected.socket), settings, name.address->protocol);
}

OpenedNetworkPort NetworkPort::over(std::unique_ptr<TcpSocket> socket,
                                    const SerialSettings& settings, NetworkProtocol protocol) {
    auto port = std::make_unique<NetworkPort>(Key{}, std::move(socket), settings, protocol);
    if (port->rfc2217() && !port->negotiate()) {
        return {nullptr, port->broken_ ? OpenFailure::DeviceFailed : OpenFailure::NoComPortControl};
    }
    return {std::move(port), OpenFailure::None};
}

NetworkPort::NetworkPort(Key /*key*/, std::unique_ptr<TcpSocket> socket,
                         const SerialSettings& settings, NetworkProtocol protocol)
    : socket_(std::move(socket)), settings_(settings), protocol_(protocol),
      session_(protocol == NetworkProtocol::Rfc2217),
      queue_(inputQueueCapacity(settings), flowLimits(settings.inputBufferSize),
             protocol == NetworkProtocol::RawSocket && settings.handshake == Handshake::XonXoff),
      pace_(characterTime(settings, settings.baudRate), Clock::now()),
      outbox_(pace_.bytesIn(Outbox::kBatchWindow, Outbox::kLargestBatch)),
      serverHold_(settings.handshake) {}

NetworkPort::~NetworkPort() {
    // Closing throws away what waits for sending, here and, if the server
    // can, in the server too (an abort must not keep feeding the machine).
    const bool leftOver = !outbox_.empty() || socket_->unsent().value_or(0) > 0;
    if (rfc2217() && leftOver && !broken_) {
        const std::string purge = telnet::purgeServerTransmit();
        socket_->send(purge.data(), purge.size());
    }
}

// Waits for the server to take the option, then sets its port and waits a
// moment for the answers; settings a server never answers are no reason to
// refuse the port.
bool NetworkPort::negotiate() {
    queueCommand(session_.opening());
    pumpUntil([this] { return session_.accepted() || session_.refused(); },
              Clock::now() + kOptionWait);
    if (!session_.accepted()) {
        return false;
    }
    queueCommand(telnet::setPort(settings_));
    if (const auto rts = rtsLevelAtOpen(settings_.handshake)) {
        setSignal(SerialSignal::Rts, *rts ? 1 : 0);
    }
    pumpUntil([this] { return session_.state().settingsAcknowledged(); },
              Clock::now() + kAnswerWait);
    return !broken_;
}

void NetworkPort::pumpUntil(const std::function<bool()>& done, Clock::time_point until) {
    while (!done() && !broken_ && Clock::now() < until) {
        waitForInput(until, nullptr);
        pump();
    }
}

void NetworkPort::queueCommand(const std::string& bytes) {
    outbox_.add(bytes, Clock::now());
    flush();
}

void NetworkPort::flush() {
    if (!broken_ && !outbox_.flush(*socket_, Clock::now())) {
        noteBroken();
    }
}

void NetworkPort::noteBroken() {
    if (!broken_) {
        broken_ = true;
        pending_ |= SerialError::IOE;
    }
}

void NetworkPort::pump() {
    pullInput();
    if (outbox_.due(Clock::now())) {
        flush();
    }
    noticeUnansweredControls();
}

void NetworkPort::noticeUnansweredControls() {
    if (session_.state().controlsPending() &&
        session_.state().takeUnansweredControl(Clock::now())) {
        tell(kControlUnanswered);
    }
}

void NetworkPort::tell(std::string_view notice) const {
    if (notices_ != nullptr && *notices_) {
        (*notices_)(notice);
    }
}

void NetworkPort::pullInput() {
    std::string replies;
    if (!broken_ && !takeServerInput(*socket_, session_, queue_, replies)) {
        noteBroken();
    }
    if (!replies.empty()) {
        queueCommand(replies);
    }
}

NetworkPort::Hold NetworkPort::currentHold(Clock::time_point now) {
    if (queue_.softwareFlow() && queue_.heldByXoff()) {
        return Hold::Xoff;
    }
    if (session_.state().suspended()) {
        return Hold::Suspended;
    }
    if (outbox_.full()) {
        flush();
        if (outbox_.full()) {
            return Hold::Network;
        }
    }
    return pace_.ahead(now) ? Hold::Pace : Hold::None;
}

ServerHold::By NetworkPort::heldBy(Hold hold) {
    if (hold == Hold::Network || hold == Hold::Suspended) {
        return ServerHold::By::Server;
    }
    return hold == Hold::Pace ? ServerHold::By::Pace : ServerHold::By::Xoff;
}

// What the shared write needs of this port.
struct NetworkPort::OutputSide {
    using Hold = NetworkPort::Hold;
    NetworkPort& port;

    static void prepareOutput() {}
    Hold hold() const { return port.currentHold(Clock::now()); }
    std::size_t put(const unsigned char* data, std::size_t count, Hold& /*hold*/) const {
        return port.putRun(data, count);
    }
    bool ended() const { return port.broken_; }
    bool abortRaised() const { return port.abort_.raised(); }
    void noteEnded() const { port.pending_ |= SerialError::IOE; }
    void giveUp(Hold hold) const {
        if (port.serverHold_.gaveUp(heldBy(hold))) {
            port.tell(kHeldByServer);
        }
    }
    void waitOut(Hold hold, std::optional<Clock::time_point> deadline) const {
        port.waitOut(hold, deadline);
    }
};

std::size_t NetworkPort::write(const unsigned char* data, std::size_t count) {
    OutputSide output{*this};
    return writeUnderTimeouts(output, SystemLineClock{},
                              writeDeadline(timeouts_, count, Clock::now()), data, count);
}

// As many bytes as the outbox and the pace take before they hold, at least
// one (nothing holds when this is called).
std::size_t NetworkPort::putRun(const unsigned char* data, std::size_t count) {
    const auto now = Clock::now();
    const std::size_t run = std::min({count, pace_.room(now), outbox_.room()});
    outbox_.addData(data, run, rfc2217(), now);
    pace_.handedOver(run, now);
    serverHold_.released();
    if (outbox_.due(now)) {
        pump();
    }
    return run;
}

void NetworkPort::waitOut(Hold hold, std::optional<Clock::time_point> deadline) {
    const auto now = Clock::now();
    // Held by the pace, the outbox fills up to a batch before it goes:
    // handing over each byte as the pace frees it would be a segment a byte.
    bool wantRoom = false;
    if (hold != Hold::Pace || outbox_.due(now)) {
        flush();
        wantRoom = !outbox_.empty();
    }
    auto until = *earlier(deadline, now + kNetworkLook);
    if (hold == Hold::Pace) {
        until = std::min(until, pace_.roomFor(outbox_.batch()));
    }
    if (!outbox_.empty()) {
        until = std::min(until, outbox_.windowEnds());
    }
    // A full receive queue reads nothing, so input would wake at once for
    // ever; then only the time or an abort wakes us.
    if (queue_.room() > 0) {
        socket_->wait(wantRoom, until, abort_.wake());
    } else {
        abort_.pauseUntil(until);
    }
    pump();
}

void NetworkPort::waitForInput(std::optional<Clock::time_point> until, const WakeSignal* wake) {
    auto limit = until.value_or(Clock::now() + kNetworkLook);
    // Bytes still in the outbox go out when their batch window ends.
    if (!outbox_.empty()) {
        limit = std::min(limit, outbox_.windowEnds());
    }
    socket_->wait(false, limit, wake);
}

// What the shared read and wait for input need of this port.
struct NetworkPort::InputSide {
    NetworkPort& port;

    void refresh() const { port.pump(); }
    std::size_t take(unsigned char* target, std::size_t count) const {
        return port.queue_.take(target, count);
    }
    std::size_t queued() const { return port.queue_.size(); }
    bool ended() const { return port.broken_; }
    bool reportDue() const { return port.broken_ || port.pending_ != SerialError::None; }
    bool abortRaised() const { return port.abort_.raised(); }
    void waitForInput(std::optional<Clock::time_point> until, bool abort) const {
        port.waitForInput(until, abort ? port.abort_.wake() : nullptr);
    }
};

std::size_t NetworkPort::read(unsigned char* target, std::size_t count) {
    InputSide input{*this};
    return readUnderTimeouts(input, SystemLineClock{}, timeouts_, target, count);
}

std::size_t NetworkPort::inputWaiting() {
    pump();
    return queue_.size();
}

bool NetworkPort::awaitInput(LineClock::duration limit) {
    InputSide input{*this};
    return drovane::awaitInput(input, SystemLineClock{}, limit);
}

SerialError NetworkPort::takeErrors() {
    pump();
    return std::exchange(pending_, SerialError::None) | session_.state().takeLineErrors() |
           takeQueueErrors(queue_) | serverHold_.take(session_.state().suspended());
}

// What the shared drain needs of this port: the outbox, the socket's own
// buffer and the bytes the pace says the server is still sending.
struct NetworkPort::DrainSide {
    NetworkPort& port;

    std::optional<std::size_t> outputQueued() const {
        if (port.broken_) {
            return std::nullopt;
        }
        port.pump();
        port.flush();
        return port.outbox_.size() + port.socket_->unsent().value_or(0) +
               port.pace_.onTheWire(Clock::now());
    }
    void pauseOut(Clock::time_point until) const { port.abort_.pauseUntil(until); }
    bool abortRaised() const { return port.abort_.raised(); }
};

std::size_t NetworkPort::drain() {
    DrainSide side{*this};
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(pace_.characterTime()).count();
    const std::size_t left = drainUnderTimeouts(side, SystemLineClock{}, timeouts_, ns);
    return broken_ ? outbox_.size() : left;
}

bool NetworkPort::setSignal(SerialSignal signal, int value) {
    if (setFlowCharacter(queue_, signal, value)) {
        return true;
    }
    const auto request = telnet::controlFor(signal, value);
    if (!request || !rfc2217()) {
        // The lines of a raw socket's server are its own; it sends no break.
        return request && signal != SerialSignal::Break;
    }
    queueCommand(telnet::setControl(*request));
    session_.state().expectControl(*request, Clock::now() + kAnswerWait);
    return !broken_;
}

int NetworkPort::getSignal(SerialSignal signal) {
    if (const auto character = flowCharacter(queue_, signal)) {
        return *character;
    }
    if (!session_.state().modemLine(signal)) {
        return 0;
    }
    if (!rfc2217()) {
        return 1; // a raw socket tells nothing: the lines are taken as on
    }
    pump();
    return session_.state().modemLine(signal).value_or(0);
}

} // namespace drovane
