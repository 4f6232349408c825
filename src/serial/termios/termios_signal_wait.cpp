// Linux tells of a modem-line change only through TIOCMIWAIT, which nothing
// but a change or a signal ends, so an abort could not: the lines are looked
// at every kStatusLineLook instead. A device without modem lines (a
// pseudo-terminal) never changes them, and only the abort ends its wait.

#include "serial/termios/termios_port.h"

#include "serial/abort_request.h"
#include "serial/serial_line.h"

#include <chrono>
#include <sys/ioctl.h>

namespace drovane {

namespace {

// Only against a device that gains its lines later: nothing else is due.
constexpr std::chrono::seconds kNoModemLinesLook{1};

} // namespace

bool TermiosPort::awaitSignal(SerialSignal signal, bool on, const AbortRequest& abort) {
    for (;;) {
        if ((getSignal(signal) != 0) == on) {
            return true;
        }
        int bits = 0;
        const bool modemLines = ::ioctl(fd_.get(), TIOCMGET, &bits) == 0;
        if (abort.waitFor(modemLines ? std::chrono::milliseconds(kStatusLineLook)
                                     : std::chrono::milliseconds(kNoModemLinesLook))) {
            return false;
        }
    }
}

} // namespace drovane
