#include "serial/serial_line.h"

#include "serial/abort_request.h"

namespace drovane {

bool SerialLine::awaitSignal(int id, SerialSignal signal, bool on, const AbortRequest& abort) {
    for (;;) {
        if ((getSignal(id, signal) != 0) == on) {
            return true;
        }
        if (abort.waitFor(kStatusLineLook)) {
            return false;
        }
    }
}

} // namespace drovane
