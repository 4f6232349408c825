#pragma once

// How long the receive job lets bytes gather after a chunk before it reads
// again: a stream at line rate then wakes it once per chunk, not once per
// few bytes the driver hands over. Short enough that what gathers stays well
// under the receive queue's XOFF level, and an end character is seen soon.

#include "serial/serial_types.h"

#include <chrono>

namespace drovane {

inline constexpr std::chrono::milliseconds kLongestGathering{40};

std::chrono::microseconds chunkGathering(const SerialSettings& settings);

} // namespace drovane
