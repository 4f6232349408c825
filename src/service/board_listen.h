#pragma once

// How the board claims its port: at once again after a restart, while the
// last page's connections still linger, and never beside another program.

#include <boost/asio/ip/tcp.hpp>
#include <boost/system/error_code.hpp>

namespace drovane {

void claimBoardPort(boost::asio::ip::tcp::acceptor& acceptor, boost::system::error_code& error);

} // namespace drovane
