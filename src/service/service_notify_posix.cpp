#include "service/service_notify.h"

#include <cstdint>
#include <systemd/sd-daemon.h>

namespace drovane {

void notifyReady() {
    sd_notify(0, "READY=1");
}

void notifyStopping() {
    sd_notify(0, "STOPPING=1");
}

void notifyAlive() {
    sd_notify(0, "WATCHDOG=1");
}

std::optional<std::chrono::milliseconds> aliveInterval() {
    std::uint64_t usec = 0;
    if (sd_watchdog_enabled(0, &usec) <= 0 || usec == 0) {
        return std::nullopt;
    }
    // Twice per watchdog period, as systemd advises.
    return std::chrono::milliseconds(usec / 2000);
}

} // namespace drovane
