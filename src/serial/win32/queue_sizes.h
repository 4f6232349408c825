#pragma once

// The driver queue sizes an open asks for.

#include "serial/serial_types.h"

#include <cstdint>
#include <optional>

namespace drovane {

struct QueueSizes {
    std::uint32_t input = 0;
    std::uint32_t output = 0;
};

// Only when both sizes are positive; otherwise the queues stay as they are.
std::optional<QueueSizes> queueSizes(const SerialSettings& settings);

} // namespace drovane
