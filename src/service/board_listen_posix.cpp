#include "service/board_listen.h"

#include <boost/asio/socket_base.hpp>

namespace drovane {

// Here the option only skips lingering connections: a second listener on
// the port is still refused.
void claimBoardPort(boost::asio::ip::tcp::acceptor& acceptor, boost::system::error_code& error) {
    acceptor.set_option(boost::asio::socket_base::reuse_address(true), error);
}

} // namespace drovane
