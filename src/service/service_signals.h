#pragma once

// The requests the system makes of the running service: stop (SIGTERM,
// SIGINT; Ctrl+C on Windows) and reload (SIGHUP). Made before any thread, so
// that every thread leaves these signals to the one that waits for them.

#include <chrono>
#include <cstdint>

namespace drovane {

enum class ServiceSignal : std::uint8_t { None, Stop, Reload };

class ServiceSignals {
public:
    ServiceSignals();
    ~ServiceSignals();
    ServiceSignals(const ServiceSignals&) = delete;
    ServiceSignals& operator=(const ServiceSignals&) = delete;
    ServiceSignals(ServiceSignals&&) = delete;
    ServiceSignals& operator=(ServiceSignals&&) = delete;

    // The next request, or None after `limit`.
    ServiceSignal waitFor(std::chrono::milliseconds limit) const;
};

} // namespace drovane
