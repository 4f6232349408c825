#include "serial/win32/queue_sizes.h"

namespace drovane {

std::optional<QueueSizes> queueSizes(const SerialSettings& settings) {
    if (settings.inputBufferSize <= 0 || settings.outputBufferSize <= 0) {
        return std::nullopt;
    }
    return QueueSizes{static_cast<std::uint32_t>(settings.inputBufferSize),
                      static_cast<std::uint32_t>(settings.outputBufferSize)};
}

} // namespace drovane
