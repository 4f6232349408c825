#include "transfer/signal_wait.h"

namespace drovane {

bool waitForSignal(SerialLine& line, int id, SerialSignal signal, const AbortRequest& abort,
                   std::chrono::milliseconds pause) {
    for (;;) {
        if (line.getSignal(id, signal) != 0) {
            return true;
        }
        if (abort.raised()) {
            return false;
        }
        abort.pause(pause);
    }
}

} // namespace drovane
