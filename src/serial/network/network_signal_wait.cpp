// The server tells of every modem-line change (we asked for all of them at
// the negotiation), so a wait for a status line sleeps on the socket until
// bytes come, beside the abort request's wake signal.

#include "serial/network/network_port.h"

#include "serial/abort_request.h"
#include "serial/network/tcp_socket.h"
#include "serial/serial_line.h"

#include <chrono>

namespace drovane {

namespace {

// Only against a wake that never comes: nothing is due at that time.
constexpr std::chrono::seconds kQuietSocketWait{1};

} // namespace

bool NetworkPort::awaitSignal(SerialSignal signal, bool on, const AbortRequest& abort) {
    for (;;) {
        if ((getSignal(signal) != 0) == on) {
            return true;
        }
        if (abort.raised()) {
            return false;
        }
        // A lost connection tells nothing more, and a full receive queue
        // leaves the socket readable: neither may turn the wait into a spin.
        if (broken_ || queue_.room() == 0) {
            if (abort.waitFor(kStatusLineLook)) {
                return false;
            }
            continue;
        }
        // An unanswered control is to be noticed at its deadline.
        const auto limit = session_.state().controlsPending()
                               ? LineClock::duration(kStatusLineLook)
                               : LineClock::duration(kQuietSocketWait);
        waitForInput(LineClock::now() + limit, &abort.wakeSignal());
    }
}

} // namespace drovane
