#include "transfer/send_run.h"

#include "serial/character_frame.h"

#include <algorithm>
#include <cmath>

namespace drovane {

namespace {

double bitsPerMillisecond(const SerialSettings& settings) {
    return std::max(settings.baudRate, 1) / 1000.0;
}

} // namespace

std::size_t sendRunLength(const SerialSettings& settings) {
    const double bytes = bitsPerMillisecond(settings) * static_cast<double>(kRunLineTime.count()) /
                         characterBits(settings);
    return std::clamp(static_cast<std::size_t>(bytes), std::size_t{1}, kTransmitBufferSize);
}

std::uint32_t wireMilliseconds(const SerialSettings& settings, std::size_t length) {
    return static_cast<std::uint32_t>(std::ceil(
        static_cast<double>(length) * characterBits(settings) / bitsPerMillisecond(settings)));
}

} // namespace drovane
