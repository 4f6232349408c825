#pragma once

// How many bytes the send job hands the line in one write: what the line
// carries in a short stretch of line time, so that an abort or a hold is
// still seen soon; at least one byte, at most the transmit buffer.

#include "serial/serial_types.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace drovane {

inline constexpr std::chrono::milliseconds kRunLineTime{50};
inline constexpr std::size_t kTransmitBufferSize = 1024;

std::size_t sendRunLength(const SerialSettings& settings);

// The milliseconds `length` bytes take on the wire, rounded up.
std::uint32_t wireMilliseconds(const SerialSettings& settings, std::size_t length);

} // namespace drovane
