#pragma once

// Flow-control numbers both line back ends derive from the settings.

#include "serial/serial_types.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace drovane {

// XON is sent once no more than xonLim bytes wait, XOFF once only xoffLim
// bytes of the input queue are free. Both are 16-bit values, as the Windows
// driver keeps them, and both are 0 for an input buffer below 10 bytes.
struct FlowLimits {
    std::uint16_t xonLim = 0;
    std::uint16_t xoffLim = 0;
};
FlowLimits flowLimits(std::int32_t inputBufferSize);

// The queue sizes are only asked for when both are positive; otherwise the
// input queue keeps the size a driver starts with.
inline constexpr std::size_t kDriverInputQueue = 4096;
std::size_t inputQueueCapacity(const SerialSettings& settings);

// The RTS level an open sets; none keeps the level the port had.
std::optional<bool> rtsLevelAtOpen(Handshake handshake);

inline constexpr std::uint8_t kFewestDataBits = 5;
inline constexpr std::uint8_t kMostDataBits = 8;

// Settings a port can take: a positive rate, 5-8 data bits, a known parity
// and handshake code.
bool settingsSupported(const SerialSettings& settings);

} // namespace drovane
