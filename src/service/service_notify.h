#pragma once

// What the service tells its supervisor: ready, still alive, stopping. On
// Linux systemd's notification (a no-op without systemd); on Windows the
// states told to the Service Control Manager (nobody in a console).

#include <chrono>
#include <optional>

namespace drovane {

void notifyReady();
void notifyStopping();
void notifyAlive();
// How often notifyAlive must come; nullopt when nobody watches.
std::optional<std::chrono::milliseconds> aliveInterval();

} // namespace drovane
