#include "transfer/chunk_gathering.h"

#include "serial/character_frame.h"
#include "serial/flow_control.h"

#include <algorithm>

namespace drovane {

std::chrono::microseconds chunkGathering(const SerialSettings& settings) {
    // The XOFF level lies at 30 % of the queue.
    const double quarter = static_cast<double>(inputQueueCapacity(settings)) / 4;
    const double baud = std::max(settings.baudRate, 1);
    const std::chrono::microseconds lineTime(
        static_cast<std::int64_t>(quarter * characterBits(settings) / baud * 1e6));
    return std::min<std::chrono::microseconds>(lineTime, kLongestGathering);
}

} // namespace drovane
