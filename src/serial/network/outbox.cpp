#include "serial/network/outbox.h"

#include "serial/network/com_port_codec.h"
#include "serial/network/tcp_socket.h"

namespace drovane {

void Outbox::startWindow(LineClock::time_point now) {
    if (bytes_.empty()) {
        since_ = now;
    }
}

void Outbox::add(const std::string& bytes, LineClock::time_point now) {
    startWindow(now);
    bytes_ += bytes;
}

void Outbox::addData(const unsigned char* data, std::size_t count, bool escaped,
                     LineClock::time_point now) {
    startWindow(now);
    if (escaped) {
        telnet::appendData(bytes_, data, count);
    } else {
        bytes_.append(reinterpret_cast<const char*>(data), count);
    }
}

bool Outbox::flush(TcpSocket& socket, LineClock::time_point now) {
    if (bytes_.empty()) {
        return true;
    }
    const SocketTransfer sent = socket.send(bytes_.data(), bytes_.size());
    if (sent.broken) {
        return false;
    }
    if (sent.count > 0) {
        ++sendCalls_;
        bytes_.erase(0, sent.count);
        since_ = now;
    }
    return true;
}

} // namespace drovane
