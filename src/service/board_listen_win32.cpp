#include "service/board_listen.h"

#include <winsock2.h>

namespace drovane {

// Windows binds over lingering connections anyway; its SO_REUSEADDR would
// let another program take the port from under the board, so the port is
// claimed exclusively instead.
void claimBoardPort(boost::asio::ip::tcp::acceptor& acceptor, boost::system::error_code& error) {
    const BOOL exclusive = TRUE;
    if (::setsockopt(acceptor.native_handle(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                     reinterpret_cast<const char*>(&exclusive), sizeof exclusive) != 0) {
        error.assign(::WSAGetLastError(), boost::system::system_category());
    }
}

} // namespace drovane
