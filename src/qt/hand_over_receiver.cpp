#include "qt/hand_over_receiver.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <sys/socket.h>

namespace drovane {

// One sender's connection. It is done when the text is complete, when the
// sender closed, or when the sender stalls.
class HandOverReceiver::Connection {
public:
    Connection(UniqueFd socket, HandOverReceiver& receiver)
        : socket_(std::move(socket)), receiver_(receiver),
          notifier_(socket_.get(), QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_,
                         [this] { readWaiting(); });
        stallTimer_.setSingleShot(true);
        QObject::connect(&stallTimer_, &QTimer::timeout, &stallTimer_, [this] { end(); });
        stallTimer_.start(stallLimitMs);
        readWaiting(); // a quick sender has written everything already
    }

    bool done() const { return done_; }

private:
    static constexpr int stallLimitMs = 2000;

    void readWaiting() {
        char chunk[4096];
        while (!done_) {
            const ssize_t got = ::recv(socket_.get(), chunk, sizeof chunk, 0);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                return;
            }
            // Closed by the sender: what arrived is the whole message.
            if (got <= 0 || message_.add(std::string_view(chunk, static_cast<std::size_t>(got)))) {
                end();
                receiver_.deliver(message_.text());
                return;
            }
            if (message_.tooLong()) {
                end();
                return;
            }
        }
    }
    void end() {
        done_ = true;
        notifier_.setEnabled(false);
        stallTimer_.stop();
        receiver_.scheduleCleanup();
    }

    UniqueFd socket_;
    HandOverReceiver& receiver_;
    QSocketNotifier notifier_;
    QTimer stallTimer_;
    HandOverMessage message_;
    bool done_ = false;
};

HandOverReceiver::HandOverReceiver(const std::filesystem::path& directory, QObject* parent)
    : QObject(parent), listener_(directory) {
    cleanupTimer_.setSingleShot(true);
    cleanupTimer_.setInterval(0);
    connect(&cleanupTimer_, &QTimer::timeout, this, [this] {
        std::erase_if(connections_, [](const auto& connection) { return connection->done(); });
    });
    if (!listener_.listening()) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(listener_.fd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { acceptWaiting(); });
}

HandOverReceiver::~HandOverReceiver() = default;

void HandOverReceiver::acceptWaiting() {
    for (auto socket = listener_.acceptOwnUser(); socket.valid();
         socket = listener_.acceptOwnUser()) {
        connections_.push_back(std::make_unique<Connection>(std::move(socket), *this));
    }
}

void HandOverReceiver::deliver(const std::string& text) {
    if (!text.empty()) {
        emit handedOver(QFile::decodeName(QByteArray::fromStdString(text)));
    }
}

// A connection cannot be destroyed inside its own notifier's signal.
void HandOverReceiver::scheduleCleanup() {
    cleanupTimer_.start();
}

} // namespace drovane
