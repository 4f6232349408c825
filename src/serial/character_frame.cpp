#include "serial/character_frame.h"

#include <chrono>

namespace drovane {

double frameStopBits(double stopBits) {
    return stopBits == 1.0 || stopBits == 2.0 ? stopBits : 1.5;
}

double characterBits(const SerialSettings& settings) {
    const double parity = settings.parity == 0 ? 0.0 : 1.0;
    return 1.0 + settings.dataBits + parity + frameStopBits(settings.stopBits);
}

LineClock::duration characterTime(const SerialSettings& settings, std::int32_t baudRate,
                                  double clockSpeed) {
    const double baud = baudRate > 0 ? baudRate : 1.0;
    const double speed = clockSpeed > 0.0 ? clockSpeed : 1.0;
    return std::chrono::duration_cast<LineClock::duration>(
        std::chrono::duration<double>(characterBits(settings) / baud / speed));
}

} // namespace drovane
