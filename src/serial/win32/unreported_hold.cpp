#include "serial/win32/unreported_hold.h"

namespace drovane {

SerialError withUnreportedHold(SerialError reported, Handshake handshake, bool writeTimedOut) {
    const bool explained = hasFlag(reported, kHoldFlags | kLineErrors);
    if (handshake != Handshake::XonXoff || !writeTimedOut || explained) {
        return reported;
    }
    return reported | SerialError::XoffReceived;
}

} // namespace drovane
