#pragma once

// The line timeouts the jobs set, in milliseconds.

#include "serial/serial_types.h"

#include <cstdint>

namespace drovane {

// Reads of the send job: it reads nothing, the values only fill the set.
inline constexpr std::uint32_t kSendReadInterval = 100;
inline constexpr std::uint32_t kSendReadTotalConstant = 100;
inline constexpr std::uint32_t kSendReadTotalMultiplier = 100;
// What a write may take beyond the operator's timeout.
inline constexpr std::uint32_t kWriteSlack = 10;

// Writes of the receive job: it writes nothing.
inline constexpr std::uint32_t kReceiveReadTotalMultiplier = 100;
inline constexpr std::uint32_t kReceiveWriteTotalMultiplier = 100;

// A write of one run gives up `sendTimeout` (the operator's timeout per byte)
// plus the slack after the run should have been on the wire: a hold is seen
// as soon as with one byte per write, whatever the length of the run.
SerialTimeouts sendTimeouts(std::uint32_t sendTimeout, std::uint32_t runWireTime);

// `receiveTimeout` is the operator's read timeout.
SerialTimeouts receiveTimeouts(std::uint32_t receiveTimeout);

} // namespace drovane
