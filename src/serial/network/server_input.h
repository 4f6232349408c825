#pragma once

// What a device server sent, taken from the socket only as far as the
// receive queue has room: a full queue leaves the rest with the server,
// whose flow control then stops the machine.

#include "serial/network/com_port_session.h"
#include "serial/receive_queue.h"

#include <string>

namespace drovane {

class TcpSocket;

// The data goes to `queue`, the answers due to the server and a flow
// character the queue asks for to `replies`. False once the connection is
// gone; what came before still counts.
bool takeServerInput(TcpSocket& socket, ComPortSession& session, ReceiveQueue& queue,
                     std::string& replies);

} // namespace drovane
