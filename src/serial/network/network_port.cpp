// How bytes go out. write() queues each byte (0xFF doubled under rfc2217)
// in outbox_ and hands the outbox to the socket as one segment once it holds
// a batch (the bytes the line carries in 20 ms) or its oldest byte has
// waited that long; a held write hands over what it has before it waits.
// wireFreeAt_ models the serial side at the profile's rate, so we run at
// most lead_ (50 ms of line time) ahead of it: an abort or a hold then leaves
// little in flight, and drain() waits about as long as a local port would.
// The socket's own buffer is kept small for the same reason.
//
// A write is held by an XOFF from the machine (socket://, XON/XOFF done
// here), by the server's FLOWCONTROL-SUSPEND (rfc2217://), by the pace, or by
// a socket that takes nothing (the server's port is held, or slow). Held
// waits end at once on an abort (the socket is waited on beside the abort
// request's wake signal). A write that times out held by the
// network reports CTS under RTS/CTS, else a full queue (no XOFF came, so
// none is reported), and says once per hold that the server holds it.
//
// Input is read from the socket only as far as the receive queue has room,
// so a full queue stops the server and, through its flow control, the
// machine. A connection that ends or fails is an I/O error, once.

#include "serial/network/network_port.h"

#include "serial/abort_request.h"
#include "serial/character_frame.h"
#include "serial/flow_control.h"
#include "serial/line_engine.h"
#include "serial/network/tcp_socket.h"
#include "serial/output_drain.h"

#include <algorithm>
#include <array>
#include <thread>
#include <utility>

namespace drovane {

namespace {

using Clock = LineClock;
using std::chrono::milliseconds;
using telnet::ComPortCommand;
using telnet::Control;

// What the socket itself may hold: small, so that little is in flight.
constexpr int kSendBuffer = 4096;
// The wait for the server to take the COM port option, and for its answers
// to our settings and SET-CONTROL requests.
constexpr milliseconds kOptionWait{2000};
constexpr milliseconds kAnswerWait{1000};
constexpr milliseconds kBatchWindow{20};
constexpr milliseconds kLeadWindow{50};
constexpr milliseconds kAbortLook{5};
constexpr milliseconds kNetworkLook{10};
constexpr std::size_t kLargestBatch = 1024;

constexpr std::string_view kHeldByServer =
    "Hinweis: der Server nimmt zur Zeit keine Daten an, die Übertragung wartet.";
constexpr std::string_view kControlUnanswered =
    "Hinweis: der Server bestätigt DTR/RTS nicht (nicht unterstützt), die Übertragung läuft "
    "weiter.";

Control flowControl(Handshake handshake) {
    switch (handshake) {
    case Handshake::XonXoff:
        return Control::XonXoffFlowControl;
    case Handshake::RtsCts:
        return Control::HardwareFlowControl;
    case Handshake::NoHandshake:
    case Handshake::RtsHandshake:
        break;
    }
    return Control::NoFlowControl;
}

std::optional<Clock::time_point> earlier(std::optional<Clock::time_point> a, Clock::time_point b) {
    return a ? std::min(*a, b) : b;
}

struct ModemBit {
    SerialSignal signal;
    unsigned char bit;
};

constexpr std::array<ModemBit, 4> kModemBits{{
    {SerialSignal::Cts, telnet::kModemCts},
    {SerialSignal::Dsr, telnet::kModemDsr},
    {SerialSignal::Ring, telnet::kModemRing},
    {SerialSignal::Rlsd, telnet::kModemRlsd},
}};

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
      queue_(inputQueueCapacity(settings), flowLimits(settings.inputBufferSize),
             protocol == NetworkProtocol::RawSocket && settings.handshake == Handshake::XonXoff),
      outboxSince_(Clock::now()), wireFreeAt_(Clock::now()),
      characterTime_(std::max(Clock::duration(1), characterTime(settings, settings.baudRate))),
      lead_(std::max<Clock::duration>(kLeadWindow, 2 * characterTime_)),
      batch_(std::clamp<std::size_t>(
          static_cast<std::size_t>(Clock::duration(kBatchWindow) / characterTime_), 1,
          kLargestBatch)) {}

NetworkPort::~NetworkPort() {
    // Closing throws away what waits for sending, here and, if the server
    // can, in the server too (an abort must not keep feeding the machine).
    const bool leftOver = !outbox_.empty() || socket_->unsent().value_or(0) > 0;
    if (rfc2217() && leftOver && !broken_) {
        const std::string purge =
            telnet::comPortCommand(ComPortCommand::PurgeData,
                                   std::string(1, static_cast<char>(telnet::kPurgeServerTransmit)));
        socket_->send(purge.data(), purge.size());
    }
}

// Waits for the server to take the option, then sets its port and waits a
// moment for the answers; settings a server never answers are no reason to
// refuse the port.
bool NetworkPort::negotiate() {
    queueCommand(options_.opening());
    const auto optionDeadline = Clock::now() + kOptionWait;
    while (!options_.comPortAccepted()) {
        if (options_.comPortRefused() || broken_ || Clock::now() >= optionDeadline) {
            return false;
        }
        waitForInput(optionDeadline, nullptr);
        pump();
    }
    sendSettings();
    const auto answerDeadline = Clock::now() + kAnswerWait;
    while (!state_.settingsAcknowledged() && !broken_ && Clock::now() < answerDeadline) {
        waitForInput(answerDeadline, nullptr);
        pump();
    }
    return !broken_;
}

void NetworkPort::sendSettings() {
    std::string commands = telnet::setBaudRate(static_cast<std::uint32_t>(settings_.baudRate));
    commands += telnet::setDataSize(settings_.dataBits);
    commands += telnet::setParity(settings_.parity);
    commands += telnet::setStopSize(settings_.stopBits);
    commands += telnet::setControl(flowControl(settings_.handshake));
    commands += telnet::setMask(ComPortCommand::SetLineStateMask,
                                telnet::kLineOverrun | telnet::kLineParity | telnet::kLineFraming |
                                    telnet::kLineBreak);
    commands += telnet::setMask(ComPortCommand::SetModemStateMask, 0xFF);
    queueCommand(commands);
    switch (rtsAtOpen(settings_.handshake)) {
    case RtsAtOpen::Lower:
        setSignal(SerialSignal::Rts, 0);
        break;
    case RtsAtOpen::Raise:
        setSignal(SerialSignal::Rts, 1);
        break;
    case RtsAtOpen::Keep:
        break;
    }
}

void NetworkPort::queueCommand(const std::string& bytes) {
    if (outbox_.empty()) {
        outboxSince_ = Clock::now();
    }
    outbox_ += bytes;
    flush();
}

void NetworkPort::flush() {
    if (outbox_.empty() || broken_) {
        return;
    }
    const SocketTransfer sent = socket_->send(outbox_.data(), outbox_.size());
    if (sent.broken) {
        noteBroken();
        return;
    }
    if (sent.count > 0) {
        ++sendCalls_;
        outbox_.erase(0, sent.count);
        outboxSince_ = Clock::now();
    }
}

bool NetworkPort::flushDue(Clock::time_point now) const {
    return !outbox_.empty() && (outbox_.size() >= batch_ || now - outboxSince_ >= kBatchWindow);
}

void NetworkPort::noteBroken() {
    if (!broken_) {
        broken_ = true;
        pending_ |= SerialError::IOE;
    }
}

void NetworkPort::pump() {
    pullInput();
    if (flushDue(Clock::now())) {
        flush();
    }
    noticeUnansweredControls();
}

void NetworkPort::noticeUnansweredControls() {
    if (state_.controlsPending() && state_.takeUnansweredControl(Clock::now()) &&
        notices_ != nullptr && *notices_) {
        (*notices_)(kControlUnanswered);
    }
}

void NetworkPort::pullInput() {
    std::array<char, 1024> chunk{};
    std::string data;
    std::vector<telnet::TelnetEvent> events;
    while (!broken_) {
        const std::size_t wanted = std::min(chunk.size(), queue_.room());
        if (wanted == 0) {
            break;
        }
        const SocketTransfer got = socket_->receive(chunk.data(), wanted);
        if (got.count > 0) {
            data.clear();
            events.clear();
            if (rfc2217()) {
                decoder_.feed(reinterpret_cast<const unsigned char*>(chunk.data()), got.count, data,
                              events);
            } else {
                data.assign(chunk.data(), got.count);
            }
            queue_.accept(reinterpret_cast<const unsigned char*>(data.data()), data.size());
            for (const telnet::TelnetEvent& event : events) {
                handle(event);
            }
        }
        if (got.broken) {
            noteBroken();
        }
        if (got.count < wanted) {
            break;
        }
    }
    if (const auto due = queue_.flowCharacterDue(); due && !broken_) {
        queueCommand(std::string(1, static_cast<char>(*due)));
        queue_.flowCharacterSent(*due);
    }
}

void NetworkPort::handle(const telnet::TelnetEvent& event) {
    if (event.kind == telnet::TelnetEvent::Kind::Negotiation) {
        if (const auto reply = options_.answer(event.verb, event.option)) {
            queueCommand(*reply);
        }
        return;
    }
    state_.apply(event.command, event.value);
}

bool NetworkPort::abortRaised() const {
    return abort_ != nullptr && abort_->raised();
}

const WakeSignal* NetworkPort::abortWake() const {
    return abort_ != nullptr ? &abort_->wakeSignal() : nullptr;
}

NetworkPort::Hold NetworkPort::currentHold(Clock::time_point now) {
    if (queue_.softwareFlow() && queue_.heldByXoff()) {
        return Hold::Xoff;
    }
    if (state_.suspended()) {
        return Hold::Suspended;
    }
    if (outbox_.size() >= kLargestBatch) {
        flush();
        if (outbox_.size() >= kLargestBatch) {
            return Hold::Network;
        }
    }
    if (wireFreeAt_ - now > lead_) {
        return Hold::Pace;
    }
    return Hold::None;
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
    bool abortRaised() const { return port.abortRaised(); }
    void noteEnded() const { port.pending_ |= SerialError::IOE; }
    void giveUp(Hold hold) const { port.noteHeldWrite(hold); }
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
    const auto ahead = std::max(Clock::duration::zero(), wireFreeAt_ - now);
    const auto paceRoom = static_cast<std::size_t>((lead_ - ahead) / characterTime_) + 1;
    const std::size_t outboxRoom =
        outbox_.size() < kLargestBatch ? kLargestBatch - outbox_.size() : 1;
    const std::size_t run = std::min({count, paceRoom, outboxRoom});
    if (outbox_.empty()) {
        outboxSince_ = now;
    }
    if (rfc2217()) {
        telnet::appendData(outbox_, data, run);
    } else {
        outbox_.append(reinterpret_cast<const char*>(data), run);
    }
    wireFreeAt_ =
        std::max(wireFreeAt_, now) + static_cast<Clock::duration::rep>(run) * characterTime_;
    heldByNetwork_ = false;
    heldByServerSaid_ = false;
    txFull_ = false;
    if (flushDue(now)) {
        pump();
    }
    return run;
}

// No XOFF reached us: the server holds the line, for its own reasons or for
// the machine's XOFF. Only under RTS/CTS does the profile tell which hold it
// is; otherwise it is reported as the full queue it is, and said once.
void NetworkPort::noteHeldWrite(Hold hold) {
    const bool byServer = hold == Hold::Network || hold == Hold::Suspended;
    heldByNetwork_ = byServer && settings_.handshake == Handshake::RtsCts;
    txFull_ = hold == Hold::Pace || (byServer && !heldByNetwork_);
    if (byServer && !heldByServerSaid_ && notices_ != nullptr && *notices_) {
        (*notices_)(kHeldByServer);
    }
    heldByServerSaid_ = byServer;
}

void NetworkPort::waitOut(Hold hold, std::optional<Clock::time_point> deadline) {
    auto now = Clock::now();
    // Held by the pace, the outbox fills up to a batch before it goes:
    // handing over each byte as the pace frees it would be a segment a byte.
    bool wantRoom = false;
    if (hold != Hold::Pace || flushDue(now)) {
        flush();
        wantRoom = !outbox_.empty();
    }
    auto until = earlier(deadline, now + kNetworkLook);
    if (hold == Hold::Pace) {
        until = earlier(until, wireFreeAt_ - lead_ +
                                   static_cast<Clock::duration::rep>(batch_) * characterTime_);
    }
    if (!outbox_.empty()) {
        until = earlier(until, outboxSince_ + kBatchWindow);
    }
    // A full receive queue reads nothing, so input would wake at once for
    // ever; then only the time wakes us, and looks at the abort request.
    if (queue_.room() > 0) {
        socket_->wait(wantRoom, *until, abortWake());
    } else {
        std::this_thread::sleep_until(abort_ != nullptr ? std::min(*until, now + kAbortLook)
                                                        : *until);
    }
    pump();
}

void NetworkPort::waitForInput(std::optional<Clock::time_point> until, const WakeSignal* wake) {
    auto limit = until.value_or(Clock::now() + kNetworkLook);
    // Bytes still in the outbox go out when their batch window ends.
    if (!outbox_.empty()) {
        limit = std::min(limit, outboxSince_ + kBatchWindow);
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
    bool abortRaised() const { return port.abortRaised(); }
    void waitForInput(std::optional<Clock::time_point> until, bool abort) const {
        port.waitForInput(until, abort ? port.abortWake() : nullptr);
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
    SerialError errors = std::exchange(pending_, SerialError::None) | state_.takeLineErrors();
    if (queue_.takeOverflow()) {
        errors |= SerialError::RxOver;
    }
    if (std::exchange(txFull_, false)) {
        errors |= SerialError::TxFull;
    }
    if (queue_.softwareFlow() && queue_.heldByXoff()) {
        errors |= SerialError::XoffReceived;
    }
    if ((heldByNetwork_ || state_.suspended()) && settings_.handshake == Handshake::RtsCts) {
        errors |= SerialError::WaitingCTS;
    }
    if (queue_.xoffSent()) {
        errors |= SerialError::XoffSent;
    }
    return errors;
}

std::size_t NetworkPort::stillQueued() {
    pump();
    flush();
    const auto now = Clock::now();
    const auto onTheWire =
        wireFreeAt_ > now ? static_cast<std::size_t>((wireFreeAt_ - now) / characterTime_) : 0;
    return outbox_.size() + socket_->unsent().value_or(0) + onTheWire;
}

std::size_t NetworkPort::drain() {
    const DrainSteps steps{
        [this]() -> std::optional<std::size_t> {
            if (broken_) {
                return std::nullopt;
            }
            return stillQueued();
        },
        [](Clock::time_point until) { std::this_thread::sleep_until(until); },
        [] { return Clock::now(); },
        [this] { return abortRaised(); },
    };
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(characterTime_).count();
    const std::size_t left = drainOutput(steps, timeouts_, ns);
    return broken_ ? outbox_.size() : left;
}

bool NetworkPort::setSignal(SerialSignal signal, int value) {
    const auto low8 = static_cast<unsigned char>(value & 0xFF);
    const auto control = [this](Control request) {
        if (!rfc2217()) {
            return true; // the server's lines are its own
        }
        queueCommand(telnet::setControl(request));
        state_.expectControl(request, Clock::now() + kAnswerWait);
        return !broken_;
    };
    switch (signal) {
    case SerialSignal::Dtr:
        return control(value != 0 ? Control::DtrOn : Control::DtrOff);
    case SerialSignal::Rts:
        return control(value != 0 ? Control::RtsOn : Control::RtsOff);
    case SerialSignal::Break:
        return rfc2217() && control(value != 0 ? Control::BreakOn : Control::BreakOff);
    case SerialSignal::XonChar:
        queue_.setFlowCharacters(low8, queue_.xoffCharacter());
        return true;
    case SerialSignal::XoffChar:
        queue_.setFlowCharacters(queue_.xonCharacter(), low8);
        return true;
    case SerialSignal::Cts:
    case SerialSignal::Dsr:
    case SerialSignal::Ring:
    case SerialSignal::Rlsd:
        break;
    }
    return false;
}

int NetworkPort::getSignal(SerialSignal signal) {
    switch (signal) {
    case SerialSignal::XonChar:
        return static_cast<signed char>(queue_.xonCharacter());
    case SerialSignal::XoffChar:
        return static_cast<signed char>(queue_.xoffCharacter());
    default:
        break;
    }
    const auto* entry =
        std::find_if(kModemBits.begin(), kModemBits.end(),
                     [signal](const ModemBit& bit) { return bit.signal == signal; });
    if (entry == kModemBits.end()) {
        return 0;
    }
    if (!rfc2217()) {
        return 1;
    }
    pump();
    return (state_.modemState() & entry->bit) != 0 ? 1 : 0;
}

} // namespace drovane
