#include "serial/flow_control.h"

namespace drovane {

FlowLimits flowLimits(std::int32_t inputBufferSize) {
    if (inputBufferSize < 10) {
        return {};
    }
    const auto xonLim = static_cast<std::uint16_t>(inputBufferSize / 10);
    const auto xoffLim = static_cast<std::uint16_t>(7U * xonLim);
    return {xonLim, xoffLim};
}

std::size_t inputQueueCapacity(const SerialSettings& settings) {
    if (settings.inputBufferSize > 0 && settings.outputBufferSize > 0) {
        return static_cast<std::size_t>(settings.inputBufferSize);
    }
    return kDriverInputQueue;
}

std::optional<bool> rtsLevelAtOpen(Handshake handshake) {
    switch (handshake) {
    case Handshake::NoHandshake:
        return false;
    case Handshake::RtsHandshake:
    case Handshake::RtsCts:
        return true;
    case Handshake::XonXoff:
        break;
    }
    return std::nullopt;
}

bool settingsSupported(const SerialSettings& settings) {
    return settings.baudRate > 0 && settings.dataBits >= kFewestDataBits &&
           settings.dataBits <= kMostDataBits && settings.parity <= kHighestParityCode &&
           static_cast<std::uint8_t>(settings.handshake) <=
               static_cast<std::uint8_t>(Handshake::XonXoff);
}

} // namespace drovane
