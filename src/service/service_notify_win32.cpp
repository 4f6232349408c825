#include "service/service_notify.h"

#include "service/service_state_win32.h"

namespace drovane {

// Under the Service Control Manager these are its states; in a console they
// reach nobody.
void notifyReady() {
    reportServiceState(SERVICE_RUNNING);
}

void notifyStopping() {
    reportServiceState(SERVICE_STOP_PENDING);
}

void notifyAlive() {}

std::optional<std::chrono::milliseconds> aliveInterval() {
    return std::nullopt;
}

} // namespace drovane
