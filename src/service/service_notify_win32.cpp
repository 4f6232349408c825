#include "service/service_notify.h"

namespace drovane {

void notifyReady() {}
void notifyStopping() {}
void notifyAlive() {}

std::optional<std::chrono::milliseconds> aliveInterval() {
    return std::nullopt;
}

} // namespace drovane
