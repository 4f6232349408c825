#include "qt/hand_over_listener.h"

#include "qt/single_instance.h"
#include "qt/unix_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>

namespace drovane {

HandOverListener::HandOverListener(const std::filesystem::path& directory)
    : path_(handOverSocketPath(directory)) {
    const auto address = unixSocketAddress(path_);
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!address || !socket.valid()) {
        return;
    }
    ::unlink(path_.c_str());
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        return;
    }
    if (::chmod(path_.c_str(), 0600) != 0 || ::listen(socket.get(), 8) != 0) {
        ::unlink(path_.c_str());
        return;
    }
    socket_ = std::move(socket);
}

HandOverListener::~HandOverListener() {
    if (socket_.valid()) {
        ::unlink(path_.c_str());
    }
}

UniqueFd HandOverListener::acceptOwnUser() const {
    for (;;) {
        UniqueFd connection(
            ::accept4(socket_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!connection.valid() || peerUser(connection.get()) == ::getuid()) {
            return connection;
        }
    }
}

bool HandOverMessage::add(std::string_view bytes) {
    if (complete_) {
        return true;
    }
    const auto nul = bytes.find('\0');
    text_.append(bytes.substr(0, nul));
    complete_ = nul != std::string_view::npos;
    return complete_;
}

} // namespace drovane
