#pragma once

// The progress line a terminal shows on standard error during a transfer:
// bytes, and for a send the percentage and the time left, with the rate.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace drovane {

struct ProgressState {
    std::int64_t bytes = 0;
    // The bytes a send has to go out; none for a reception.
    std::optional<std::int64_t> total;
    // Since the first byte moved.
    std::chrono::duration<double> elapsed{0.0};
};

// "300/1200 Bytes  25%  30 B/s  noch 0:30" or "300 Bytes  30 B/s"; "-" for a
// rate or a time that cannot be told yet.
std::string progressText(const ProgressState& state);

} // namespace drovane
