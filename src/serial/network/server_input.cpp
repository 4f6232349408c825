#include "serial/network/server_input.h"

#include "serial/network/tcp_socket.h"

#include <algorithm>
#include <array>

namespace drovane {

bool takeServerInput(TcpSocket& socket, ComPortSession& session, ReceiveQueue& queue,
                     std::string& replies) {
    std::array<char, 1024> chunk{};
    std::string data;
    for (;;) {
        const std::size_t wanted = std::min(chunk.size(), queue.room());
        if (wanted == 0) {
            break;
        }
        const SocketTransfer got = socket.receive(chunk.data(), wanted);
        data.clear();
        session.receive(chunk.data(), got.count, data, replies);
        queue.accept(reinterpret_cast<const unsigned char*>(data.data()), data.size());
        if (got.broken) {
            return false;
        }
        if (got.count < wanted) {
            break;
        }
    }
    if (const auto due = queue.flowCharacterDue()) {
        replies += static_cast<char>(*due);
        queue.flowCharacterSent(*due);
    }
    return true;
}

} // namespace drovane
